// Folder and first-path splitting of code page 936 paths.
#include "text/path.h"

#include <gtest/gtest.h>

namespace corvina {
namespace {

TEST(FolderOf, CutsAtTheLastBackslash) {
    EXPECT_EQ(FolderOf("C:\\Program Files\\Corvina\\Corvina.exe"), "C:\\Program Files\\Corvina");
    EXPECT_EQ(FolderOf("C:\\Corvina.exe"), "C:");
    EXPECT_EQ(FolderOf("Corvina.exe"), "");
    EXPECT_EQ(FolderOf(""), "");
}

TEST(FolderOf, SecondByteBackslashDoesNotCount) {
    // "\xB1\x5C" is one two-byte character ending in the backslash byte.
    EXPECT_EQ(FolderOf("C:\\A\\\xB1\x5C.exe"), "C:\\A");
    EXPECT_EQ(FolderOf("C:\\软件\\程序.exe"), "C:\\软件");
}

TEST(FirstPath, TakesThePathBeforeTheFirstLineBreak) {
    EXPECT_EQ(FirstPath("C:\\a.apk"), "C:\\a.apk");
    EXPECT_EQ(FirstPath("C:\\a.apk\r\nC:\\b.apk\r\n"), "C:\\a.apk");
    EXPECT_EQ(FirstPath("C:\\演示.apk\r\n"), "C:\\演示.apk");
    EXPECT_EQ(FirstPath(""), "");
}

}  // namespace
}  // namespace corvina
