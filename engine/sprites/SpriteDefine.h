#pragma once

namespace plm {

class SpriteDefine {
public:
};

}  // namespace plm
