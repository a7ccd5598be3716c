#pragma once

namespace plm {

class Gui {
public:
};

}  // namespace plm
