#pragma once

namespace plm {

class Sprite {
public:
};

}  // namespace plm
