// The decimal text of a number, as every message that carries a number writes it.
#pragma once

#include <cstdint>
#include <string>

namespace game {

// The digits of n, most significant first, with no sign, leading zeros or separators: 0 gives
// "0", 13 gives "13". No message carries a negative number; one would get a leading minus.
std::string NumberToText(int32_t n);

}  // namespace game
