#pragma once

namespace plm {

class Texture {
public:
};

}  // namespace plm
