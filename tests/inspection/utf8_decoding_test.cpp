// The UTF-8 report turned into code page 936 text by the platform.
#include "inspection/utf8_decoding.h"

#include <gtest/gtest.h>

namespace corvina {
namespace {

ByteArray Utf8(const char8_t* text) {
    ByteArray bytes;
    for (; *text; ++text) bytes.push_back(static_cast<unsigned char>(*text));
    return bytes;
}

TEST(Utf8BytesToGbkText, ChineseBecomesCodePage936) {
    // The narrow literal is compiled to code page 936; the u8 literal stays UTF-8.
    EXPECT_EQ(Utf8BytesToGbkText(Utf8(u8"application-label:'演示应用'")),
              "application-label:'演示应用'");
    EXPECT_EQ(Utf8BytesToGbkText(Utf8(u8"演")), "\xD1\xDD");
}

TEST(Utf8BytesToGbkText, CharacterWithoutCodePage936FormBecomesDefaultCharacter) {
    EXPECT_EQ(Utf8BytesToGbkText(Utf8(u8"a\uD55Cb")), "a?b");  // a Hangul syllable
}

TEST(Utf8BytesToGbkText, EmptyInputGivesEmptyText) { EXPECT_EQ(Utf8BytesToGbkText({}), ""); }

TEST(Utf8BytesToGbkText, IllFormedInputIsNotRejected) {
    const Text text = Utf8BytesToGbkText({'o', 'k', 0xFF, '!'});
    EXPECT_EQ(text.substr(0, 2), "ok");
    EXPECT_EQ(text.back(), '!');
}

TEST(Utf8BytesToGbkText, StopsAtTheFirstNul) {
    EXPECT_EQ(Utf8BytesToGbkText({'a', 0, 'b'}), "a");
}

TEST(Utf8BytesToGbkText, LineEndsPassUnchanged) {
    EXPECT_EQ(Utf8BytesToGbkText(Utf8(u8"a\r\nb\nc")), "a\r\nb\nc");
}

}  // namespace
}  // namespace corvina
