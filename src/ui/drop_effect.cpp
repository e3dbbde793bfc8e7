#include "ui/drop_effect.h"

#include <initializer_list>

namespace corvina {
namespace {

std::uint32_t IfAllowed(std::uint32_t effect, std::uint32_t allowedEffects) {
    return (allowedEffects & effect) ? effect : kDropEffectNone;
}

}  // namespace

std::uint32_t ChooseDropEffect(std::uint32_t keyState, std::uint32_t allowedEffects) {
    const bool control = keyState & kKeyControl;
    const bool shift = keyState & kKeyShift;
    if (control && shift) return kDropEffectNone;
    if (control) return IfAllowed(kDropEffectCopy, allowedEffects);
    if (shift) return IfAllowed(kDropEffectMove, allowedEffects);
    for (const std::uint32_t effect : {kDropEffectCopy, kDropEffectMove, kDropEffectLink}) {
        if (allowedEffects & effect) return effect;
    }
    return kDropEffectNone;
}

}  // namespace corvina
