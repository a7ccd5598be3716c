#pragma once

namespace plm {

class SpriteCollide {
public:
};

}  // namespace plm
