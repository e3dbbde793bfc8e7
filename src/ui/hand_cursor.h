// The pointing hand shown over the hyperlink.
#pragma once

#include <windows.h>

namespace corvina {

// The cursor's hot spot: the tip of the pointing finger.
inline constexpr int kHandHotSpotX = 6;
inline constexpr int kHandHotSpotY = 1;

// The hand cursor, made on first use and kept for the life of the process
// (window classes refer to it); null when the system refused to make it.
HCURSOR HandCursor();

}  // namespace corvina
