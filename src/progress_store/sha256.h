// SHA-256 of a byte string: the level key's hash, strong enough that two different boards
// never share a record.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ruk {

using Sha256Digest = std::array<std::uint8_t, 32>;

Sha256Digest Sha256(std::string_view bytes);

}  // namespace ruk
