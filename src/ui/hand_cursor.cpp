#include "ui/hand_cursor.h"

#include <array>
#include <cstring>

#include "win/handles.h"

namespace corvina {
namespace {

constexpr int kSize = 32;

// The image, one text row per pixel row: '.' transparent, 'X' black
// outline, 'o' white fill. Rows and columns not drawn are transparent.
constexpr const char* kImage[] = {
    "",
    "......XX",
    ".....XooX",
    ".....XooX",
    ".....XooX",
    ".....XooX",
    ".....XooXXX",
    ".....XooXooXXX",
    ".....XooXooXooXX",
    ".XX..XooXooXooXoX",
    "XooX.XooooooooooX",
    "XoooXXooooooooooX",
    ".XooooooooooooooX",
    "..XoooooooooooooX",
    "..XoooooooooooooX",
    "...XooooooooooooX",
    "...XoooooooooooX",
    "....XooooooooooX",
    "....XoooooooooX",
    ".....XooooooooX",
    ".....XooooooooX",
    ".....XXXXXXXXXX",
};

using Plane = std::array<unsigned char, kSize * kSize / 8>;

// The AND plane (1: screen shows through) and the XOR plane (1: white
// where the AND plane is 0), rows top to bottom, leftmost pixel in the
// highest bit.
struct Planes {
    Plane andPlane;
    Plane xorPlane;
};

Planes DrawPlanes() {
    Planes planes{};
    planes.andPlane.fill(0xFF);
    int y = 0;
    for (const char* row : kImage) {
        const int width = static_cast<int>(std::strlen(row));
        for (int x = 0; x < width; ++x) {
            const int byte = y * kSize / 8 + x / 8;
            const auto bit = static_cast<unsigned char>(0x80 >> (x % 8));
            if (row[x] == '.') continue;
            planes.andPlane[byte] &= static_cast<unsigned char>(~bit);
            if (row[x] == 'o') planes.xorPlane[byte] |= bit;
        }
        ++y;
    }
    return planes;
}

win::UniqueCursor MakeHandCursor() {
    const Planes planes = DrawPlanes();
    return win::UniqueCursor(::CreateCursor(::GetModuleHandleW(nullptr), kHandHotSpotX,
                                            kHandHotSpotY, kSize, kSize, planes.andPlane.data(),
                                            planes.xorPlane.data()));
}

}  // namespace

HCURSOR HandCursor() {
    static const win::UniqueCursor cursor = MakeHandCursor();
    return cursor.Get();
}

}  // namespace corvina
