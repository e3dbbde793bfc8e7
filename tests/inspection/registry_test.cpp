// Finding the emulator's folder in Wine's real registry.
#include "inspection/emulator_directory.h"
#include "inspection/registry_text.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace corvina {
namespace {

using testing::EmulatorRegistry;

TEST(EmulatorInstallDir, SecondGenerationWinsWhenBothAreSet) {
    EmulatorRegistry registry;
    registry.SetText(1, "C:\\First");
    registry.SetText(2, "C:\\Second");
    EXPECT_EQ(GetEmulatorInstallDir(), "C:\\Second");
    EXPECT_EQ(GetEmulatorInstallDir(1), "C:\\First");
    EXPECT_EQ(GetEmulatorInstallDir(2), "C:\\Second");
    EXPECT_EQ(GetEmulatorInstallDir(7), "C:\\Second");
}

TEST(EmulatorInstallDir, FirstGenerationAloneIsUsed) {
    EmulatorRegistry registry;
    registry.SetText(1, "C:\\First");
    EXPECT_EQ(GetEmulatorInstallDir(), "C:\\First");
    EXPECT_EQ(GetEmulatorInstallDir(2), "");
}

TEST(EmulatorInstallDir, EmptySecondValueFallsBackToFirst) {
    EmulatorRegistry registry;
    registry.SetText(1, "C:\\First");
    registry.SetText(2, "");
    EXPECT_EQ(GetEmulatorInstallDir(), "C:\\First");
}

TEST(EmulatorInstallDir, SecondValueOfAnotherTypeCountsAsMissing) {
    EmulatorRegistry registry;
    registry.SetText(1, "C:\\First");
    registry.Set(2, REG_DWORD, std::string("\x01\x00\x00\x00", 4));
    EXPECT_EQ(GetEmulatorInstallDir(), "C:\\First");
    EXPECT_EQ(GetEmulatorInstallDir(2), "");
}

TEST(EmulatorInstallDir, NothingStoredGivesEmptyText) {
    EmulatorRegistry registry;
    EXPECT_EQ(GetEmulatorInstallDir(), "");
    EXPECT_EQ(GetEmulatorInstallDir(1), "");
    EXPECT_EQ(GetEmulatorInstallDir(2), "");
}

TEST(EmulatorInstallDir, ChineseFolderNameIsReadAsCodePage936) {
    EmulatorRegistry registry;
    registry.SetText(2, "C:\\雷电模拟器");
    EXPECT_EQ(GetEmulatorInstallDir(), "C:\\雷电模拟器");
}

TEST(RegistryText, ExpandableTextHasItsVariablesExpanded) {
    EmulatorRegistry registry;
    ::SetEnvironmentVariableA("CORVINA_TEST_ROOT", "D:\\Emu");
    const Text stored = "%CORVINA_TEST_ROOT%\\Player";
    registry.Set(2, REG_EXPAND_SZ, std::string(stored.c_str(), stored.size() + 1));
    EXPECT_EQ(GetEmulatorInstallDir(), "D:\\Emu\\Player");
}

TEST(RegistryText, TextWithoutTerminatorRunsToItsStoredSize) {
    EmulatorRegistry registry;
    registry.Set(2, REG_SZ, "C:\\NoTerminator");
    EXPECT_EQ(GetEmulatorInstallDir(), "C:\\NoTerminator");
}

TEST(RegistryText, TextStopsAtItsFirstNul) {
    EmulatorRegistry registry;
    registry.Set(2, REG_SZ, std::string("C:\\A\0junk\0", 10));
    EXPECT_EQ(GetEmulatorInstallDir(), "C:\\A");
}

TEST(RegistryText, ValueWithNoDataIsEmpty) {
    EmulatorRegistry registry;
    registry.Set(2, REG_SZ, "");
    EXPECT_EQ(GetEmulatorInstallDir(2), "");
}

TEST(RegistryText, DefaultValueIsNamedByTrailingBackslash) {
    EmulatorRegistry registry;
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\ChangZhi\\dnplayer", 0, nullptr, 0,
                                KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("default"), 8);
    ::RegCloseKey(key);
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, "Software\\ChangZhi\\dnplayer\\"), "default");
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, "Software\\ChangZhi\\missing\\InstallDir"), "");
}

}  // namespace
}  // namespace corvina
