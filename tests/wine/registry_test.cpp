// Machine-wide values: the CPU record that Wine fills from the host, and values
// this test writes into a throwaway key of HKEY_LOCAL_MACHINE.
#include "platform/win32/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace kelvane::platform::win32 {
namespace {

constexpr char kCpuKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
constexpr char kTestKey[] = "SOFTWARE\\KelvaneWineTest";
// The values are written where a 32-bit installer writes them: the 32-bit view, which the
// program reads in both builds (32-bit Windows ignores the flag).
constexpr REGSAM kThirtyTwoBitView = KEY_WOW64_32KEY;

TEST(RegistryTest, CpuRecordGivesNameIdentifierAndClockRate) {
  Win32Registry registry;
  const std::string name = registry.MachineText(kCpuKey, "ProcessorNameString");
  const std::string identifier = registry.MachineText(kCpuKey, "Identifier");
  EXPECT_FALSE(name.empty());
  EXPECT_FALSE(identifier.empty());
  // Read "without the terminating NUL": no NUL may be left at the end.
  EXPECT_EQ(name.find('\0'), std::string::npos);
  EXPECT_EQ(identifier.find('\0'), std::string::npos);
  EXPECT_GT(registry.MachineDword(kCpuKey, "~MHz"), 0u);
}

TEST(RegistryTest, MissingKeysAndValuesGiveEmptyTextAndZero) {
  Win32Registry registry;
  struct Case {
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"SOFTWARE\\ASUS\\ASUS Probe", "Path"},  // the monitor is not installed in a fresh prefix
      {kCpuKey, "NoSuchValue"},
      {"SOFTWARE\\KelvaneNoSuchKey", "Path"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " / " + c.value);
    EXPECT_EQ(registry.MachineText(c.key, c.value), "");
    EXPECT_EQ(registry.MachineDword(c.key, c.value), 0u);
  }
}

class RegistryWrittenValueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0,
                              KEY_WRITE | kThirtyTwoBitView, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    // RegDeleteKeyExA, which names a view, is not on Windows XP: delete through the parent.
    HKEY software = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_WRITE | kThirtyTwoBitView,
                      &software) == ERROR_SUCCESS) {
      RegDeleteKeyA(software, "KelvaneWineTest");
      RegCloseKey(software);
    }
  }
  void SetBytes(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
  }
  HKEY key_ = nullptr;
};

TEST_F(RegistryWrittenValueTest, TextComesBackAsUtf8WithoutItsNul) {
  if (GetACP() != 1252) GTEST_SKIP() << "expects code page 1252, have " << GetACP();
  Win32Registry registry;
  // The monitor's install record, quotes and all, with a degree sign to convert.
  const char path[] = "\"C:\\Program Files\\Probe 45\xB0\\AsusProb.exe\"";
  SetBytes("Path", REG_SZ, path, sizeof path);
  EXPECT_EQ(registry.MachineText(kTestKey, "Path"),
            "\"C:\\Program Files\\Probe 45\xC2\xB0\\AsusProb.exe\"");
  // A value stored without its NUL loses no character.
  SetBytes("Bare", REG_SZ, "abc", 3);
  EXPECT_EQ(registry.MachineText(kTestKey, "Bare"), "abc");
  SetBytes("Empty", REG_SZ, "", 1);
  EXPECT_EQ(registry.MachineText(kTestKey, "Empty"), "");
}

TEST_F(RegistryWrittenValueTest, DwordReadsFourBytesAndNothingLarger) {
  Win32Registry registry;
  const DWORD rate = 2394;
  SetBytes("~MHz", REG_DWORD, &rate, sizeof rate);
  EXPECT_EQ(registry.MachineDword(kTestKey, "~MHz"), 2394u);
  // Eight bytes do not fit the 4-byte buffer: the read fails and gives 0.
  const unsigned long long wide = 0x0000000100000002ull;
  SetBytes("Wide", REG_QWORD, &wide, sizeof wide);
  EXPECT_EQ(registry.MachineDword(kTestKey, "Wide"), 0u);
}

#ifdef _WIN64
// The 64-bit build reads what the 32-bit one would: a value only in the 64-bit view of SOFTWARE
// is not the monitor's install record.
TEST_F(RegistryWrittenValueTest, TheSixtyFourBitBuildReadsTheThirtyTwoBitView) {
  Win32Registry registry;
  SetBytes("Path", REG_SZ, "32", 3);
  HKEY key64 = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0,
                            KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key64, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key64, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>("64"), 3);
  RegSetValueExA(key64, "Only64", 0, REG_SZ, reinterpret_cast<const BYTE*>("64"), 3);
  EXPECT_EQ(registry.MachineText(kTestKey, "Path"), "32");
  EXPECT_EQ(registry.MachineText(kTestKey, "Only64"), "");
  RegCloseKey(key64);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey);  // the 64-bit view's key
}
#endif

}  // namespace
}  // namespace kelvane::platform::win32
