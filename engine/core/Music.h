#pragma once

namespace plm {

class Music {
public:
};

}  // namespace plm
