#pragma once

namespace plm {

class Mouse {
public:
};

}  // namespace plm
