#pragma once

namespace plm {

class Tiler {
public:
};

}  // namespace plm
