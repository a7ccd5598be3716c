#pragma once

namespace plm {

class PolySprite {
public:
};

}  // namespace plm
