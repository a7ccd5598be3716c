#pragma once

namespace plm {

class GamePad {
public:
};

}  // namespace plm
