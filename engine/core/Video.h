#pragma once

namespace plm {

class Video {
public:
};

}  // namespace plm
