#pragma once

namespace plm {

class Starfield {
public:
};

}  // namespace plm
