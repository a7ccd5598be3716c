#pragma once

namespace plm {

class Lib {
public:
};

}  // namespace plm
