#include "sprites/SpriteEngine.h"

#include "core/EngineState.h"

namespace plm {

void SpriteEngine::Shake(int32_t sprite, float Velocity, float Speed, float length) {
    SpriteRecord* r = State().SpriteTable.find(sprite);
    if (!r) return;
    r->ShakeRadius = Velocity;
    r->ShakeInterval = Speed;
    r->ShakeTimeLeft = length;
    r->ShakeTimer = 0;
    r->ShakeOn = true;
}

}  // namespace plm
