// The drop effect for every combination of Ctrl, Shift and allowed effects.
#include "ui/drop_effect.h"

#include <gtest/gtest.h>

namespace corvina {
namespace {

constexpr std::uint32_t N = kDropEffectNone;
constexpr std::uint32_t C = kDropEffectCopy;
constexpr std::uint32_t M = kDropEffectMove;
constexpr std::uint32_t L = kDropEffectLink;

struct KeyRow {
    const char* keys;
    std::uint32_t keyState;
    // The effect for each set of allowed effects, indexed by the set's bits:
    // none, C, M, CM, L, CL, ML, CML.
    std::uint32_t expected[8];
};

constexpr KeyRow kTable[] = {
    {"neither", 0, {N, C, M, C, L, C, M, C}},
    {"ctrl", kKeyControl, {N, C, N, C, N, C, N, C}},
    {"shift", kKeyShift, {N, N, M, M, N, N, M, M}},
    {"ctrl_shift", kKeyControl | kKeyShift, {N, N, N, N, N, N, N, N}},
};

TEST(ChooseDropEffect, FollowsTheKeyAndAllowedEffectTable) {
    for (const KeyRow& row : kTable) {
        for (std::uint32_t allowed = 0; allowed < 8; ++allowed) {
            EXPECT_EQ(ChooseDropEffect(row.keyState, allowed), row.expected[allowed])
                << "keys " << row.keys << ", allowed effects " << allowed;
        }
    }
}

// Mouse buttons and Alt in the key state, and the scroll effect among the
// allowed ones, change nothing.
TEST(ChooseDropEffect, OtherBitsPlayNoPart) {
    constexpr std::uint32_t kLeftButton = 0x0001;
    constexpr std::uint32_t kAlt = 0x0020;
    constexpr std::uint32_t kScroll = 0x80000000u;
    for (const KeyRow& row : kTable) {
        for (std::uint32_t allowed = 0; allowed < 8; ++allowed) {
            EXPECT_EQ(ChooseDropEffect(row.keyState | kLeftButton | kAlt, allowed | kScroll),
                      row.expected[allowed])
                << "keys " << row.keys << ", allowed effects " << allowed;
        }
    }
}

}  // namespace
}  // namespace corvina
