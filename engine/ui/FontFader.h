#pragma once

namespace plm {

class FontFader {
public:
};

}  // namespace plm
