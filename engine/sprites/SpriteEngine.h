#pragma once

namespace plm {

class SpriteEngine {
public:
};

}  // namespace plm
