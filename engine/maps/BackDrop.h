#pragma once

namespace plm {

class BackDrop {
public:
};

}  // namespace plm
