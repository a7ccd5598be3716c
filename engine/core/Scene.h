#pragma once

namespace plm {

class Scene {
public:
};

}  // namespace plm
