#pragma once

namespace plm {

class Shape {
public:
};

}  // namespace plm
