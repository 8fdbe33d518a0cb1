// CurrentOsVersionClass and CurrentServicePackDigit against what
// GetVersionExA really reports. Wine can report an older Windows to one
// executable (HKCU\Software\Wine\AppDefaults\<exe>\Version), so the peer
// process is started under each version and answers through its exit code.
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>

#include "PeerProcess.h"
#include "TestPeer.h"

namespace {

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
  const bool keyExisted = TVersionOverride::KeyExists(PeerExeName);
  {
    TVersionOverride override(PeerExeName, row.WineVersion);
    ASSERT_TRUE(override.IsReady());

    DWORD osClass = 0;
    ASSERT_TRUE(RunPeer(PeerModeOsClass, osClass)) << "cannot run " << PeerPath();
    EXPECT_EQ(row.ExpectedClass, static_cast<int>(osClass));

    DWORD digit = 0;
    ASSERT_TRUE(RunPeer(PeerModeServicePack, digit)) << "cannot run " << PeerPath();
    // The exit code carries the signed digit in 32 bits.
    EXPECT_EQ(row.ExpectedServicePackDigit, static_cast<int>(digit));
  }
  EXPECT_EQ(keyExisted, TVersionOverride::KeyExists(PeerExeName))
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
