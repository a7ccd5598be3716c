#pragma once
// SHA-256 (FIPS 180-4), used to store archive passwords as salted hashes rather than as text.
#include <array>
#include <cstdint>
#include <string_view>

namespace plm {

using Sha256Digest = std::array<uint8_t, 32>;

Sha256Digest Sha256(std::string_view data);

}  // namespace plm
