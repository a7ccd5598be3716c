#pragma once

namespace plm {

class Sample {
public:
};

}  // namespace plm
