#pragma once

namespace plm {

class Map {
public:
};

}  // namespace plm
