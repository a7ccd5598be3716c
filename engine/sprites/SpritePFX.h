#pragma once

namespace plm {

class SpritePFX {
public:
};

}  // namespace plm
