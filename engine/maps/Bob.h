#pragma once

namespace plm {

class Bob {
public:
};

}  // namespace plm
