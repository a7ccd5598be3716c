#pragma once

namespace plm {

class Key {
public:
};

}  // namespace plm
