// The settings store in HKEY_CURRENT_USER, read back both through the service
// and straight from the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/settings_store.h"
#include "wine_test_support.h"

namespace kelvane::platform::win32 {
namespace {

constexpr char kApp[] = "Marrowby";
constexpr char kSection[] = "KelvaneWineTest";
constexpr char kSectionPath[] = "Software\\VB and VBA Program Settings\\Marrowby\\KelvaneWineTest";

// The value as the registry holds it: type and raw bytes, or nothing.
struct RawValue {
  bool found = false;
  DWORD type = 0;
  std::string bytes;
};

RawValue QueryRaw(const char* key_path, const char* name) {
  RawValue raw;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key_path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return raw;
  }
  char data[512] = {};
  DWORD size = sizeof data;
  raw.found = RegQueryValueExA(key, name, nullptr, &raw.type, reinterpret_cast<BYTE*>(data),
                               &size) == ERROR_SUCCESS;
  if (raw.found) raw.bytes.assign(data, size);
  RegCloseKey(key);
  return raw;
}

bool KeyExists(const char* key_path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key_path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { store_.RemoveSection(kApp, kSection); }
  void TearDown() override { store_.RemoveSection(kApp, kSection); }
  Win32SettingsStore store_;
};

TEST_F(StoreTest, WrittenValuesReadBackAndSitInTheVbSettingsKeyAsRegSz) {
  struct Case {
    const char* key;
    const char* value;
    const char* bytes_on_disk;  // REG_SZ data in code page 1252, NUL included
    std::size_t byte_count;
  };
  const Case cases[] = {
      {"Buzzer", "79", "79\0", 3},
      {"TrayFont", "Arial", "Arial\0", 6},
      {"LnchExe", "", "\0", 1},
      {"Paper", "Caf\xC3\xA9 45\xC2\xB0", "Caf\xE9 45\xB0\0", 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    ASSERT_EQ(store_.Write(kApp, kSection, c.key, c.value).status, StoreStatus::kOk);
    const StoreRead read = store_.Read(kApp, kSection, c.key);
    EXPECT_EQ(read.status, StoreStatus::kOk);
    EXPECT_EQ(read.value, c.value);
    const RawValue raw = QueryRaw(kSectionPath, c.key);
    ASSERT_TRUE(raw.found);
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    if (GetACP() == 1252) {
      EXPECT_EQ(raw.bytes, std::string(c.bytes_on_disk, c.byte_count));
    }
  }
}

TEST_F(StoreTest, RewritingAKeyReplacesItsValue) {
  ASSERT_EQ(store_.Write(kApp, kSection, "Volume", "650").status, StoreStatus::kOk);
  ASSERT_EQ(store_.Write(kApp, kSection, "Volume", "1599").status, StoreStatus::kOk);
  EXPECT_EQ(store_.Read(kApp, kSection, "Volume").value, "1599");
}

TEST_F(StoreTest, AbsentKeysAndSectionsReadAsMissing) {
  EXPECT_EQ(store_.Read(kApp, kSection, "Buzzer").status, StoreStatus::kMissing);
  ASSERT_EQ(store_.Write(kApp, kSection, "Buzzer", "79").status, StoreStatus::kOk);
  EXPECT_EQ(store_.Read(kApp, kSection, "ShutDown").status, StoreStatus::kMissing);
  EXPECT_EQ(store_.Read("MarrowbyNoSuchApp", kSection, "Buzzer").status, StoreStatus::kMissing);
}

TEST_F(StoreTest, AValueOfAnotherTypeReadsAsMissing) {
  ASSERT_EQ(store_.Write(kApp, kSection, "Buzzer", "79").status, StoreStatus::kOk);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSectionPath, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  const DWORD number = 79;
  RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof number);
  RegCloseKey(key);
  EXPECT_EQ(store_.Read(kApp, kSection, "Number").status, StoreStatus::kMissing);
}

TEST_F(StoreTest, RemoveKeyDeletesOneValueAndReportsAbsentOnesAsMissing) {
  ASSERT_EQ(store_.Write(kApp, kSection, "Buzzer", "79").status, StoreStatus::kOk);
  ASSERT_EQ(store_.Write(kApp, kSection, "ShutDown", "89").status, StoreStatus::kOk);

  EXPECT_EQ(store_.RemoveKey(kApp, kSection, "Buzzer").status, StoreStatus::kOk);
  EXPECT_FALSE(QueryRaw(kSectionPath, "Buzzer").found);
  EXPECT_EQ(store_.Read(kApp, kSection, "ShutDown").value, "89");

  EXPECT_EQ(store_.RemoveKey(kApp, kSection, "Buzzer").status, StoreStatus::kMissing);
  EXPECT_EQ(store_.RemoveKey(kApp, "KelvaneNoSuchSection", "Buzzer").status, StoreStatus::kMissing);
}

TEST_F(StoreTest, RemoveSectionDeletesTheKeyWithItsSubkeysButNotItsSiblings) {
  ASSERT_EQ(store_.Write(kApp, kSection, "Buzzer", "79").status, StoreStatus::kOk);
  ASSERT_EQ(store_.Write(kApp, "KelvaneWineSibling", "Keep", "1").status, StoreStatus::kOk);
  // Subkeys that the program never writes but another tool might have: the
  // removal must not stop at them (RegDeleteKey alone refuses a key with subkeys).
  HKEY nested = nullptr;
  const std::string nested_path = std::string(kSectionPath) + "\\Deeper\\Deepest";
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, nested_path.c_str(), 0, nullptr, 0, KEY_WRITE,
                            nullptr, &nested, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(nested);

  EXPECT_EQ(store_.RemoveSection(kApp, kSection).status, StoreStatus::kOk);
  EXPECT_FALSE(KeyExists(kSectionPath));
  EXPECT_EQ(store_.Read(kApp, kSection, "Buzzer").status, StoreStatus::kMissing);
  EXPECT_EQ(store_.Read(kApp, "KelvaneWineSibling", "Keep").value, "1");

  EXPECT_EQ(store_.RemoveSection(kApp, kSection).status, StoreStatus::kMissing);
  EXPECT_EQ(store_.RemoveSection("MarrowbyNoSuchApp", kSection).status, StoreStatus::kMissing);
  store_.RemoveSection(kApp, "KelvaneWineSibling");
}

TEST_F(StoreTest, EmptyNamesFailWithTheSystemsTextAndTouchNothing) {
  ASSERT_EQ(store_.Write(kApp, kSection, "Buzzer", "79").status, StoreStatus::kOk);
  const StoreResult write = store_.Write(kApp, kSection, "", "x");
  EXPECT_EQ(write.status, StoreStatus::kFailed);
  EXPECT_FALSE(write.error.empty());
  EXPECT_EQ(store_.RemoveSection(kApp, "").status, StoreStatus::kFailed);
  EXPECT_EQ(store_.Read(kApp, kSection, "Buzzer").value, "79");
}

TEST_F(StoreTest, ARegistryRefusalIsReportedWithTheSystemsText) {
  // A key name longer than the registry's limit of 255 characters.
  const std::string too_long(300, 'k');
  const StoreResult result = store_.Write(kApp, too_long, "Buzzer", "79");
  EXPECT_EQ(result.status, StoreStatus::kFailed);
  EXPECT_FALSE(result.error.empty());
  EXPECT_EQ(result.error.find('\n'), std::string::npos);
}

TEST_F(StoreTest, RegExeSeesWhatTheStoreWrote) {
  const std::string query = std::string("reg query \"HKCU\\") + kSectionPath + "\" /v Buzzer";
  EXPECT_EQ(wine_test::RunAndWait(query, 30), 1);
  ASSERT_EQ(store_.Write(kApp, kSection, "Buzzer", "79").status, StoreStatus::kOk);
  EXPECT_EQ(wine_test::RunAndWait(query, 30), 0);
}

}  // namespace
}  // namespace kelvane::platform::win32
