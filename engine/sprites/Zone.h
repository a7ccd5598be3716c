#pragma once

namespace plm {

class Zone {
public:
};

}  // namespace plm
