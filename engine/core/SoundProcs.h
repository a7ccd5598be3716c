#pragma once
// The sound side of the engine's lifetime.

namespace plm {

// Frees the sound library when it was started; harmless when it was not, or twice.
void FreeBass();

}  // namespace plm
