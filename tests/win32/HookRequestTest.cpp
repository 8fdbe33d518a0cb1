// Naming a window's executable in each of the two ways the hook host has:
// the window's own thread answers on NT 4, process snapshots serve every
// other system. A peer process asks, as Wine reports one system or another,
// for a window of this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>

#include "PeerProcess.h"
#include "TestPeer.h"
#include "shared/Handles.h"

namespace {

struct TNameRow {
  const char* WineVersion;
  bool Vanished;  // ask for a window that no longer exists
  unsigned long ExpectedBits;
};

void PrintTo(const TNameRow& row, std::ostream* os) {
  *os << row.WineVersion << (row.Vanished ? " vanished" : "");
}

class ModuleNameTest : public testing::TestWithParam<TNameRow> {
 protected:
  void SetUp() override {
    if (!RunningUnderWine()) GTEST_SKIP() << "only Wine lets a test choose the version";
  }
};

TEST_P(ModuleNameTest, NamesTheExecutableOfAWindowOfAnotherProcess) {
  const TNameRow& row = GetParam();
  // The peer's request is answered by this thread, which handles messages
  // while it waits for the peer.
  const HWND window = CreateWindowExA(0, "STATIC", "VorlixTest named", 0, 0, 0, 0, 0, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  if (row.Vanished) DestroyWindow(window);
  const TVersionOverride override(PeerExeName, row.WineVersion);
  ASSERT_TRUE(override.IsReady());
  DWORD report = 0;
  const bool ran =
      RunPeer(std::string(PeerModeModuleName) + " " + std::to_string(ToWnd(window)), report);
  if (!row.Vanished) DestroyWindow(window);
  ASSERT_TRUE(ran);

  EXPECT_EQ(row.ExpectedBits, report & 0xFFFF0000u);
  if (row.ExpectedBits == 0) {
    EXPECT_EQ(0u, report) << "nothing is found for a window that has gone";
  } else if ((row.ExpectedBits & ModuleNameIsPath) == 0) {
    EXPECT_EQ(sizeof SuitesExeName, report & 0xFFFFu) << "the bare name and its zero";
  } else {
    EXPECT_GT(report & 0xFFFFu, sizeof SuitesExeName);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Systems, ModuleNameTest,
    testing::Values(TNameRow{"win98", false, ModuleNameIsSuites},
                    TNameRow{"win2k", false, ModuleNameIsSuites},
                    // NT 4: the full path that the window's thread reports.
                    TNameRow{"nt40", false, ModuleNameIsSuites | ModuleNameIsPath},
                    TNameRow{"win2k", true, 0}, TNameRow{"nt40", true, 0}),
    [](const testing::TestParamInfo<TNameRow>& info) {
      return std::string(info.param.WineVersion) + (info.param.Vanished ? "_vanished" : "");
    });

}  // namespace
