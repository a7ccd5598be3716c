#pragma once

namespace plm {

class SpriteAnimateDefine {
public:
};

}  // namespace plm
