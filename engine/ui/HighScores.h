#pragma once

namespace plm {

class HighScores {
public:
};

}  // namespace plm
