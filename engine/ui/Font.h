#pragma once

namespace plm {

class Font {
public:
};

}  // namespace plm
