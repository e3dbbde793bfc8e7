// The drop effect that a file drop target offers for a drag, from the
// keys held and the effects that the drag's source allows.
#pragma once

#include <cstdint>

namespace corvina {

// The values of the platform's DROPEFFECT_ and MK_ constants.
inline constexpr std::uint32_t kDropEffectNone = 0;
inline constexpr std::uint32_t kDropEffectCopy = 1;
inline constexpr std::uint32_t kDropEffectMove = 2;
inline constexpr std::uint32_t kDropEffectLink = 4;
inline constexpr std::uint32_t kKeyShift = 0x0004;
inline constexpr std::uint32_t kKeyControl = 0x0008;

// Ctrl alone asks for a copy and Shift alone for a move, each given only
// when the source allows it; Ctrl with Shift gives no drop; with neither,
// the first of copy, move and link that the source allows. Other bits of
// either argument (mouse buttons, the scroll effect) play no part.
std::uint32_t ChooseDropEffect(std::uint32_t keyState, std::uint32_t allowedEffects);

}  // namespace corvina
