#pragma once

namespace plm {

class Bass {
public:
};

}  // namespace plm
