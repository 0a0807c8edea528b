#pragma once

#include <cstdint>

namespace tbpr::embed {

extern const std::uint32_t kBlowfishInitP[18];
extern const std::uint32_t kBlowfishInitS[4][256];

} // namespace tbpr::embed
