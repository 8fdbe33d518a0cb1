// The plug-in host over real libraries: test plug-ins copied into a folder
// of their own, the sample plug-in where the build puts it, and the
// built-in double click on a window of this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "PeerProcess.h"
#include "TestPlugin.h"
#include "shared/Win32Owner.h"
#include "plugins/PluginLibrary.h"
#include "shared/Handles.h"
#include "shared/WheelNotification.h"

namespace {

constexpr DWORD WaitMs = 15000;

std::vector<std::string> ActionNames(const TPlugins& plugins) {
  std::vector<std::string> names;
  for (int i = 0; i < plugins.GetActionCount(); ++i) names.push_back(plugins.GetActionName(i));
  return names;
}

// Deletes folder and everything in it, hidden files included.
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  const HANDLE first = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (first != INVALID_HANDLE_VALUE) {
    const TFindHandle search(first);
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search.Get(), &entry));
  }
  RemoveDirectoryA(folder.c_str());
}

// A folder of its own (Folder, without a trailing separator) that the test
// fills with copies of the test plug-ins, and the mapping in which they
// report their calls. The current directory is elsewhere, so only the
// plug-ins' full paths can find them.
class PluginFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
    Folder = std::string(temp) + "VorlixPlugins" + std::to_string(GetCurrentProcessId());
    RemoveTree(Folder);
    ASSERT_TRUE(CreateDirectoryA(Folder.c_str(), nullptr));
    Mapping = TKernelHandle(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                               sizeof(TPluginCall), PluginCallMappingName().c_str()));
    ASSERT_TRUE(Mapping);
    View = TMappedView(MapViewOfFile(Mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    ASSERT_TRUE(View);
    Call = static_cast<const TPluginCall*>(View.Get());
  }

  void TearDown() override { RemoveTree(Folder); }

  // Copies a file built beside the suite to relative (a path under Folder).
  void Place(const char* built, const std::string& relative) {
    ASSERT_TRUE(CopyFileA((TestFolder() + built).c_str(), (Folder + "\\" + relative).c_str(), FALSE))
        << relative;
  }

  // The .vxp files of Folder in the order the system lists them.
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    const HANDLE first = FindFirstFileA((Folder + "\\*.vxp").c_str(), &entry);
    if (first == INVALID_HANDLE_VALUE) return names;
    const TFindHandle search(first);
    do names.push_back(entry.cFileName);
    while (FindNextFileA(search.Get(), &entry));
    return names;
  }

  std::string Folder;
  TKernelHandle Mapping;
  TMappedView View;
  const TPluginCall* Call = nullptr;
};

TEST_F(PluginFolderTest, LoadsOnlyVisibleLibrariesWithAllThreeExports) {
  Place(FirstPluginFile, "first.vxp");
  Place(NoActionPluginFile, "noaction.vxp");
  Place(SecondPluginFile, "hidden.vxp");
  ASSERT_TRUE(SetFileAttributesA((Folder + "\\hidden.vxp").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(CreateDirectoryA((Folder + "\\sub").c_str(), nullptr));
  Place(SecondPluginFile, "sub\\second.vxp");
  ASSERT_TRUE(CreateDirectoryA((Folder + "\\folder.vxp").c_str(), nullptr));
  Place("default.vxs", "x.vxp");  // a text file
  {
    TPlugins plugins;
    plugins.LoadDirectory(Folder + "\\");
    EXPECT_EQ(2, plugins.GetPluginCount());
    EXPECT_EQ((std::vector<std::string>{DoubleClickAction, "Shared", "First only"}),
              ActionNames(plugins));
    EXPECT_EQ(nullptr, GetModuleHandleA("noaction.vxp"))
        << "a library without all three exports is unloaded again";
    EXPECT_NE(nullptr, GetModuleHandleA("first.vxp"));
  }
  EXPECT_EQ(nullptr, GetModuleHandleA("first.vxp")) << "destroying the plug-ins unloads them";

  TPlugin partial(Folder + "\\", "noaction.vxp");
  EXPECT_FALSE(partial.Load());
  TActionParam param{};
  EXPECT_EQ(0, partial.Action(0, &param)) << "an export that is missing is not called";
}

TEST_F(PluginFolderTest, NameOfferedTwiceRunsInThePluginListedFirst) {
  Place(FirstPluginFile, "a.vxp");
  Place(SecondPluginFile, "b.vxp");
  const std::vector<std::string> listing = Listing();
  ASSERT_EQ(2u, listing.size());
  const std::int32_t firstFound = listing[0] == "a.vxp" ? 1 : 2;

  TPlugins plugins;
  plugins.LoadDirectory(Folder);
  EXPECT_EQ(3, plugins.GetPluginCount());
  const std::vector<std::string> names = ActionNames(plugins);
  EXPECT_EQ(1, std::count(names.begin(), names.end(), "Shared"));
  EXPECT_EQ(4u, names.size()) << "Double Click, Shared and both plug-ins' own names";

  TActionParam param{-5, 70000, 0x48, -3, 0xDEADBEEF};
  EXPECT_EQ(firstFound * 100, plugins.ExecuteAction("Shared", &param));
  EXPECT_EQ(1, Call->Calls);
  EXPECT_EQ(firstFound, Call->PluginId);
  EXPECT_EQ(0, std::memcmp(&param, &Call->Param, sizeof param)) << "the record as the plug-in got it";

  EXPECT_EQ(201, plugins.ExecuteAction("Second only", &param));
  EXPECT_EQ(101, plugins.ExecuteAction("First only", &param));
  EXPECT_EQ(3, Call->Calls);
}

// A plug-in that claims every action there is and faults wherever it can:
// each fault ends its own call, and the plug-in keeps working afterwards.
TEST_F(PluginFolderTest, FaultsInAPluginEndTheCallNotTheProgram) {
  Place(FaultyPluginFile, "faulty.vxp");
  TPlugins plugins;
  plugins.LoadDirectory(Folder);
  EXPECT_EQ((std::vector<std::string>{DoubleClickAction, "Crash", "Throw", "Fine", ""}),
            ActionNames(plugins))
      << "a caption whose call faulted is empty";

  TActionParam param{1, 2, 0, 1, 0};
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(0, plugins.ExecuteAction("Crash", &param));
    EXPECT_EQ(0, plugins.ExecuteAction("Throw", &param));
    EXPECT_EQ(402, plugins.ExecuteAction("Fine", &param));
  }
  EXPECT_EQ(2, Call->Calls);
  // The program's own exceptions still find their handlers.
  EXPECT_THROW(throw std::runtime_error("after the faults"), std::runtime_error);
}

TEST_F(PluginFolderTest, CaptionsEndInsideTheBufferWhateverCountTheyReport) {
  Place(CaptionsPluginFile, "captions.vxp");
  TPlugins plugins;
  plugins.LoadDirectory(Folder);
  const std::vector<std::string> expected = {DoubleClickAction, std::string(CaptionSize, 'L'),
                                             std::string(CaptionSize, 'M'), "", "OO"};
  EXPECT_EQ(expected, ActionNames(plugins));
}

// In code page 932 "ソ" is 83 5C: the folder's last byte is a backslash,
// its last character is not.
TEST_F(PluginFolderTest, FolderEndingInADoubleByteCharacterWithABackslashByte) {
  if (GetACP() != 932) GTEST_SKIP() << "needs code page 932";
  const std::string sub = "ソ";
  ASSERT_EQ('\\', sub.back());
  ASSERT_TRUE(CreateDirectoryA((Folder + "\\" + sub).c_str(), nullptr));
  Place(FirstPluginFile, sub + "\\first.vxp");
  TPlugins plugins;
  plugins.LoadDirectory(Folder + "\\" + sub);
  EXPECT_EQ(2, plugins.GetPluginCount());
}

// Records the scroll messages that reach it, each as message and code.
std::vector<std::pair<UINT, WORD>> Scrolls;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_VSCROLL || message == WM_HSCROLL) {
    Scrolls.emplace_back(message, LOWORD(wParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The actions post their messages: handling what is queued delivers them.
void Deliver() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

int FirstVisibleLine(HWND edit) {
  return static_cast<int>(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
}

// The sample, loaded from the folder where the build puts it beside the
// program: build/src, two levels above this suite's build/tests/win32. A
// frame with both scroll bars holds a static control without any, and an
// edit control with a vertical scroll bar of its own and a hundred lines.
// The frame stays hidden: scrolling needs no screen, and a shown window
// would take the foreground, which Wine without a window manager is slow to
// give back when the window goes.
TEST(SamplePluginTest, PagesPerNotchTheWindowOrTheParentThatHasTheScrollBar) {
  TPlugins plugins;
  plugins.LoadDirectory(TestFolder() + "..\\..\\src");
  EXPECT_EQ((std::vector<std::string>{DoubleClickAction, "Page Up", "Page Down", "Scroll Left",
                                      "Scroll Right"}),
            ActionNames(plugins));

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = FrameProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VorlixTestScrollFrame";
  ASSERT_NE(0, RegisterClassA(&windowClass));
  const HWND frame = CreateWindowExA(0, windowClass.lpszClassName, "",
                                     WS_POPUP | WS_VSCROLL | WS_HSCROLL, 100, 100, 300, 300,
                                     nullptr, nullptr, windowClass.hInstance, nullptr);
  const HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, frame,
                                     nullptr, windowClass.hInstance, nullptr);
  const HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL |
                                    ES_MULTILINE, 100, 0, 150, 100, frame, nullptr,
                                    windowClass.hInstance, nullptr);
  ASSERT_TRUE(frame != nullptr && label != nullptr && edit != nullptr);
  std::string text;
  for (int line = 0; line < 100; ++line) text += "line " + std::to_string(line) + "\r\n";
  SetWindowTextA(edit, text.c_str());
  Scrolls.clear();

  TActionParam param{0, 0, 0, -1, ToWnd(edit)};
  plugins.ExecuteAction("Page Down", &param);
  Deliver();
  const int onePage = FirstVisibleLine(edit);
  EXPECT_GT(onePage, 0);
  param.Notches = -2;
  plugins.ExecuteAction("Page Down", &param);
  Deliver();
  EXPECT_EQ(3 * onePage, FirstVisibleLine(edit));
  param.Notches = 0;
  plugins.ExecuteAction("Page Up", &param);
  Deliver();
  EXPECT_EQ(2 * onePage, FirstVisibleLine(edit)) << "a press pages once";
  EXPECT_TRUE(Scrolls.empty()) << "the edit scrolls by itself; its frame hears nothing";

  param = {0, 0, 0, 2, ToWnd(label)};
  plugins.ExecuteAction("Page Up", &param);
  param.Notches = 0;
  plugins.ExecuteAction("Scroll Right", &param);
  plugins.ExecuteAction("Scroll Left", &param);
  Deliver();
  const std::vector<std::pair<UINT, WORD>> expected = {
      {WM_VSCROLL, SB_PAGEUP},    {WM_VSCROLL, SB_ENDSCROLL}, {WM_VSCROLL, SB_PAGEUP},
      {WM_VSCROLL, SB_ENDSCROLL}, {WM_HSCROLL, SB_LINERIGHT}, {WM_HSCROLL, SB_ENDSCROLL},
      {WM_HSCROLL, SB_LINELEFT},  {WM_HSCROLL, SB_ENDSCROLL}};
  EXPECT_EQ(expected, Scrolls);

  DestroyWindow(frame);
  UnregisterClassA(windowClass.lpszClassName, windowClass.hInstance);
}

// Records the left-button messages that reach it, with their position. It
// is never activated, so that it goes quickly (see SamplePluginTest).
std::vector<std::pair<UINT, LPARAM>> Clicks;
// Whether each of them was marked as Vorlix's own input.
bool ClicksMarked = true;

LRESULT CALLBACK ClickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK) {
    Clicks.emplace_back(message, lParam);
    ClicksMarked &= static_cast<ULONG_PTR>(GetMessageExtraInfo()) == OwnInputMarker;
    return 0;
  }
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(InternalPluginTest, DoubleClicksWhereTheCursorIsWhateverTheRecordSays) {
  TPlugins plugins;
  EXPECT_EQ(1, plugins.GetPluginCount());
  EXPECT_EQ(std::vector<std::string>{DoubleClickAction}, ActionNames(plugins));
  EXPECT_EQ(InternalPluginName, TInternalPlugin().GetName());

  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = ClickProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VorlixTestClickTarget";
  ASSERT_NE(0, RegisterClassA(&windowClass));
  const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 200, 150, 200,
                                      200, nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(nullptr, window);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  ASSERT_TRUE(SetCursorPos(260, 230));
  ASSERT_TRUE(PumpMessagesUntil([&] { return WindowFromPoint({260, 230}) == window; }, WaitMs));
  Clicks.clear();

  TActionParam param{5, 5, 0, 0, ToWnd(window)};
  EXPECT_EQ(0, plugins.ExecuteAction(DoubleClickAction, &param));
  PumpMessagesUntil([] { return Clicks.size() >= 4; }, WaitMs);
  const LPARAM at = MAKELPARAM(60, 80);
  const std::vector<std::pair<UINT, LPARAM>> expected = {
      {WM_LBUTTONDOWN, at}, {WM_LBUTTONUP, at}, {WM_LBUTTONDBLCLK, at}, {WM_LBUTTONUP, at}};
  EXPECT_EQ(expected, Clicks);
  EXPECT_TRUE(ClicksMarked);

  DestroyWindow(window);
  UnregisterClassA(windowClass.lpszClassName, windowClass.hInstance);
}

}  // namespace
