// The loader classes against real libraries: a stub hook library built for
// the suites, Kernel32's snapshot functions, and TVorlixHook run by a peer
// process under chosen Windows versions, beside the real hook library, the
// stub, or none.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <cstring>
#include <ostream>
#include <string>

#include "PeerProcess.h"
#include "TestPeer.h"
#include "host/Dllloader.h"
#include "host/Vorlixhookloader.h"

namespace {

constexpr char StubName[] = "vorlix_stub_hook.dll";

class TNamedLoader : public THookLoader {
 public:
  explicit TNamedLoader(std::string name) : Name(std::move(name)) {}
  const char* GetDllName() const noexcept override { return Name.c_str(); }

 private:
  std::string Name;
};

LRESULT CALLBACK NeverInstalled(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(DllLoaderTest, LoadsOnceLooksUpByNameAndFreesOnDestruction) {
  {
    TNamedLoader loader(TestFolder() + StubName);
    EXPECT_EQ(loader.GetProc("CallWndProc"), nullptr) << "nothing to look in before Load";
    ASSERT_TRUE(loader.Load());
    const HMODULE module = loader.GetModule();
    EXPECT_EQ(module, GetModuleHandleA(StubName));
    EXPECT_FALSE(loader.Load()) << "a second Load must fail";
    EXPECT_TRUE(loader.IsLoaded());
    EXPECT_EQ(module, loader.GetModule());
    EXPECT_NE(loader.GetProc("CallWndProc"), nullptr);
    EXPECT_EQ(loader.GetProc("LowLevelMouseProc"), nullptr) << "the stub lacks this export";
  }
  EXPECT_EQ(GetModuleHandleA(StubName), nullptr) << "the destructor must free the library";
}

TEST(DllLoaderTest, MissingLibraryLeavesTheLoaderEmpty) {
  TNamedLoader loader("vorlix_no_such_library.dll");
  EXPECT_FALSE(loader.Load());
  EXPECT_FALSE(loader.IsLoaded());
  EXPECT_EQ(loader.GetModule(), nullptr);
  EXPECT_FALSE(loader.SetHook(WH_CALLWNDPROC, NeverInstalled));
  EXPECT_EQ(loader.GetHook(WH_CALLWNDPROC), nullptr);
}

TEST(HookLoaderTest, HooksOnlyForALoadedLibraryAndKnownTypes) {
  TNamedLoader loader(TestFolder() + StubName);
  EXPECT_FALSE(loader.SetHook(WH_CALLWNDPROC, NeverInstalled));
  EXPECT_EQ(loader.GetHook(WH_CALLWNDPROC), nullptr);
  ASSERT_TRUE(loader.Load());
  const HOOKPROC proc = loader.ProcAs<HOOKPROC>("CallWndProc");
  EXPECT_FALSE(loader.SetHook(19, proc)) << "slot 20 does not exist";
  EXPECT_FALSE(loader.SetHook(-2, proc));
  EXPECT_EQ(loader.GetHook(-2), nullptr);
}

TEST(HookLoaderTest, ReinstallReplacesTheHookAndDestructionRemovesAll) {
  HHOOK callWnd = nullptr;
  HHOOK getMessage = nullptr;
  {
    TNamedLoader loader(TestFolder() + StubName);
    ASSERT_TRUE(loader.Load());
    const HOOKPROC callWndProc = loader.ProcAs<HOOKPROC>("CallWndProc");
    ASSERT_TRUE(loader.SetHook(WH_CALLWNDPROC, callWndProc));
    const HHOOK first = loader.GetHook(WH_CALLWNDPROC);
    ASSERT_TRUE(loader.SetHook(WH_CALLWNDPROC, callWndProc));
    callWnd = loader.GetHook(WH_CALLWNDPROC);
    ASSERT_NE(first, callWnd);
    EXPECT_FALSE(UnhookWindowsHookEx(first)) << "the first hook must already be gone";
    ASSERT_TRUE(loader.SetHook(WH_GETMESSAGE, loader.ProcAs<HOOKPROC>("GetMsgProc")));
    getMessage = loader.GetHook(WH_GETMESSAGE);
    EXPECT_NE(getMessage, nullptr);
  }
  EXPECT_FALSE(UnhookWindowsHookEx(callWnd));
  EXPECT_FALSE(UnhookWindowsHookEx(getMessage));
}

TEST(ToolHelpLoaderTest, FindsTheSnapshotFunctionsByName) {
  TToolHelpLoader tools;
  EXPECT_EQ(tools.CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0), nullptr)
      << "unknown functions must not be called";
  ASSERT_TRUE(tools.Load());
  EXPECT_FALSE(tools.Load());
  const HANDLE snapshot = tools.CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
  const TKernelHandle owner(snapshot);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  std::string ownName;
  for (BOOL more = tools.Process32First(snapshot, &entry); more;
       more = tools.Process32Next(snapshot, &entry))
    if (entry.th32ProcessID == GetCurrentProcessId()) ownName = entry.szExeFile;
  EXPECT_NE(ownName.find("vorlix_win32_tests.exe"), std::string::npos) << ownName;
}

struct THostRow {
  const char* WineVersion;
  const char* Folder;  // where the peer runs, relative to the suites
  int HookMode;
  unsigned long Expected;
};

void PrintTo(const THostRow& row, std::ostream* os) {
  *os << row.WineVersion << " in '" << row.Folder << "' with mode " << row.HookMode;
}

constexpr unsigned long MessageModeHost = HostReady | HostCallWndProcHook | HostGetMessageHook |
                                          HostToolHelp | HostMouseHookShared | HostMainWndShared;
constexpr unsigned long LowLevelHostWithoutToolHelp =
    HostReady | HostLowLevelMode | HostLowLevelHook | HostMouseHookShared |
    HostRequestHooksPerThread | HostMainWndShared;
constexpr unsigned long LowLevelHost = LowLevelHostWithoutToolHelp | HostToolHelp;

class VorlixHookHostTest : public testing::TestWithParam<THostRow> {
 protected:
  void SetUp() override {
    if (!RunningUnderWine()) GTEST_SKIP() << "only Wine lets a test choose the version";
  }
};

TEST_P(VorlixHookHostTest, InstallsTheHooksOfItsModeAndSharesTheirHandles) {
  const THostRow& row = GetParam();
  const TVersionOverride override(PeerExeName, row.WineVersion);
  ASSERT_TRUE(override.IsReady());
  DWORD report = 0;
  ASSERT_TRUE(RunPeer(std::string(PeerModeHookHost) + " " + std::to_string(row.HookMode), report,
                      row.Folder));
  EXPECT_EQ(row.Expected, report);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, VorlixHookHostTest,
    testing::Values(
        THostRow{"win98", "", 0, MessageModeHost},
        // Wine's NT 4 reports service pack 6a: low-level, and module names
        // come from the target thread instead of snapshots.
        THostRow{"nt40", "", 0, LowLevelHostWithoutToolHelp},
        THostRow{"win2k", "", 0, LowLevelHost},
        THostRow{"win98", "", 1, LowLevelHost},
        THostRow{"win2k", "", 2, MessageModeHost},
        // The stub lacks the low-level procedures: the load stops before
        // installing any hook.
        THostRow{"win2k", "stubhook\\", 1, HostMainWndShared},
        THostRow{"win2k", "stubhook\\", 2, MessageModeHost},
        THostRow{"win2k", "nohook\\", 0, 0}),
    [](const testing::TestParamInfo<THostRow>& info) {
      const std::string folder = info.param.Folder;
      return std::string(info.param.WineVersion) + "_mode" + std::to_string(info.param.HookMode) +
             (folder.empty() ? "" : "_" + folder.substr(0, folder.size() - 1));
    });

}  // namespace
