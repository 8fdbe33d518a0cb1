// CurrentOsVersionClass and CurrentServicePackDigit against what
// GetVersionExA really reports. Wine can report an older Windows to one
// executable (HKCU\Software\Wine\AppDefaults\<exe>\Version), so the peer
// process is started under each version and answers through its exit code.
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "PeerProcess.h"
#include "TestPeer.h"
#include "platform/Win32Owner.h"

namespace {

constexpr const char PeerAppDefaultsKey[] = "Software\\Wine\\AppDefaults\\vorlix_test_peer.exe";

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool KeyExists(HKEY root, const char* path) {
  TRegKey key;
  return RegOpenKeyExA(root, path, 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
}

// Makes Wine report `version` to the peer for the lifetime of the object,
// then puts its key back as it was. The parent AppDefaults is left alone:
// Wine recreates it at every process start.
class TPeerVersionOverride {
 public:
  explicit TPeerVersionOverride(const char* version) {
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, PeerAppDefaultsKey, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, Key.Put(),
                        &disposition) != ERROR_SUCCESS)
      return;
    CreatedKey = disposition == REG_CREATED_NEW_KEY;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(Key.Get(), "Version", nullptr, &type, nullptr, &size) ==
        ERROR_SUCCESS) {
      Previous.resize(size);
      PreviousType = type;
      HadPrevious = RegQueryValueExA(Key.Get(), "Version", nullptr, &type, Previous.data(),
                                     &size) == ERROR_SUCCESS;
      Previous.resize(size);
    }
    Ready = RegSetValueExA(Key.Get(), "Version", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(version),
                           static_cast<DWORD>(lstrlenA(version) + 1)) == ERROR_SUCCESS;
  }

  ~TPeerVersionOverride() {
    if (!Key) return;
    if (HadPrevious)
      RegSetValueExA(Key.Get(), "Version", 0, PreviousType, Previous.data(),
                     static_cast<DWORD>(Previous.size()));
    else
      RegDeleteValueA(Key.Get(), "Version");
    Key.Reset();
    if (CreatedKey) RegDeleteKeyA(HKEY_CURRENT_USER, PeerAppDefaultsKey);
  }

  TPeerVersionOverride(const TPeerVersionOverride&) = delete;
  TPeerVersionOverride& operator=(const TPeerVersionOverride&) = delete;

  bool IsReady() const { return Ready; }

 private:
  TRegKey Key;
  bool CreatedKey = false;
  bool HadPrevious = false;
  DWORD PreviousType = REG_SZ;
  std::vector<BYTE> Previous;
  bool Ready = false;
};

struct TReportedVersion {
  const char* WineVersion;  // value of AppDefaults\<exe>\Version
  const char* Reported;     // what Wine 8 then reports to GetVersionExA
  int ExpectedClass;
  int ExpectedServicePackDigit;
};

void PrintTo(const TReportedVersion& row, std::ostream* os) {
  *os << row.WineVersion << " (" << row.Reported << ")";
}

class CurrentOsVersionTest : public testing::TestWithParam<TReportedVersion> {
 protected:
  void SetUp() override {
    if (!RunningUnderWine()) GTEST_SKIP() << "only Wine lets a test choose the version";
  }
};

TEST_P(CurrentOsVersionTest, PeerClassifiesTheVersionItIsShown) {
  const TReportedVersion& row = GetParam();
  const bool keyExisted = KeyExists(HKEY_CURRENT_USER, PeerAppDefaultsKey);
  {
    TPeerVersionOverride override(row.WineVersion);
    ASSERT_TRUE(override.IsReady());

    DWORD osClass = 0;
    ASSERT_TRUE(RunPeer(PeerModeOsClass, osClass)) << "cannot run " << PeerPath();
    EXPECT_EQ(row.ExpectedClass, static_cast<int>(osClass));

    DWORD digit = 0;
    ASSERT_TRUE(RunPeer(PeerModeServicePack, digit)) << "cannot run " << PeerPath();
    // The exit code carries the signed digit in 32 bits.
    EXPECT_EQ(row.ExpectedServicePackDigit, static_cast<int>(digit));
  }
  EXPECT_EQ(keyExisted, KeyExists(HKEY_CURRENT_USER, PeerAppDefaultsKey))
      << "the override was not cleaned up";
}

INSTANTIATE_TEST_SUITE_P(
    WineVersions, CurrentOsVersionTest,
    testing::Values(
        TReportedVersion{"win95", "1 / 4.0 / \"\"", 0, 0},
        TReportedVersion{"win98", "1 / 4.10 / \" A \"", 1, ' ' - '0'},
        TReportedVersion{"winme", "1 / 4.90 / \" \"", 1, ' ' - '0'},
        TReportedVersion{"nt351", "2 / 3.51 / \"Service Pack 5\"", 255, 5},
        TReportedVersion{"nt40", "2 / 4.0 / \"Service Pack 6a\"", 2, 'a' - '0'},
        TReportedVersion{"win2k", "2 / 5.0 / \"Service Pack 4\"", 3, 4},
        TReportedVersion{"winxp", "2 / 5.1 / \"Service Pack 3\"", 3, 3},
        TReportedVersion{"win7", "2 / 6.1 / \"Service Pack 1\"", 3, 1},
        // Win32s: neither of the two platforms that are classified.
        TReportedVersion{"win31", "0 / 3.10 / \"Win32s 1.3\"", 255, '3' - '0'}),
    [](const testing::TestParamInfo<TReportedVersion>& info) {
      return std::string(info.param.WineVersion);
    });

}  // namespace
