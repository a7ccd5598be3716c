#pragma once

namespace plm {

class Text {
public:
};

}  // namespace plm
