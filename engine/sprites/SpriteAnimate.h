#pragma once

namespace plm {

class SpriteAnimate {
public:
};

}  // namespace plm
