#pragma once

namespace plm {

class TextureFx {
public:
};

}  // namespace plm
