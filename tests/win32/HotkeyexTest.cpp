// The key-stroke field over the real hot key control, in a dialog whose
// message loop runs IsDialogMessage as the settings dialog's does.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "ui/Hotkeyex.h"

namespace {

constexpr int IdHotKey = 100;

// What the dialog was asked to do by its keyboard navigation: Enter presses
// the default button (IDOK), Esc closes the dialog (IDCANCEL); the dialog
// procedure counts them and stays open.
struct TDialogLog {
  int Ok = 0;
  int Cancel = 0;
  int Changes = 0;  // EN_CHANGE from the field
};
TDialogLog DialogLog;

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) return ++DialogLog.Ok, TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) return ++DialogLog.Cancel, TRUE;
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) return ++DialogLog.Changes, TRUE;
  return FALSE;
}

// Keys pressed through the system's input, released again however the test
// ends.
class THeldKeys {
 public:
  explicit THeldKeys(std::initializer_list<BYTE> keys) : Keys(keys) {
    for (BYTE key : Keys) keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), 0, 0);
  }
  ~THeldKeys() {
    for (auto key = Keys.rbegin(); key != Keys.rend(); ++key)
      keybd_event(*key, static_cast<BYTE>(MapVirtualKeyA(*key, 0)), KEYEVENTF_KEYUP, 0);
  }

 private:
  std::vector<BYTE> Keys;
};

class HotkeyexTest : public testing::Test {
 protected:
  // One dialog for the suite: under Wine without a window manager, taking
  // a shown window down costs two seconds.
  static void SetUpTestSuite() {
    // A modeless dialog with no items: a template of style, size and three
    // empty strings (menu, class, caption).
    alignas(4) WORD dialogTemplate[12] = {};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dialogTemplate[0] = LOWORD(style);
    dialogTemplate[1] = HIWORD(style);
    dialogTemplate[5] = 10;
    dialogTemplate[6] = 10;
    dialogTemplate[7] = 200;
    dialogTemplate[8] = 100;
    Dialog = TWindowOwner(CreateDialogIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate), nullptr,
        DialogProc, 0));
    // The default button that Enter would press; Tab would move to it.
    CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 10,
                    50, 80, 25, Dialog.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)),
                    GetModuleHandleA(nullptr), nullptr);
  }
  static void TearDownTestSuite() { Dialog.Reset(); }

  void SetUp() override {
    ASSERT_TRUE(Dialog);
    ASSERT_NE(GetDlgItem(Dialog.Get(), IDOK), nullptr);
    DialogLog = {};
  }

  THotKeyEx& MakeKey(const THotKeyExOptions& options = {10, 10, 121, 25, IdHotKey}) {
    Key = std::make_unique<THotKeyEx>(Dialog.Get(), options);
    EXPECT_NE(Key->Handle(), nullptr);
    return *Key;
  }

  void Focus() {
    SetForegroundWindow(Dialog.Get());
    SetFocus(Key->Handle());
    Pump();
    ASSERT_EQ(GetFocus(), Key->Handle());
  }

  // The settings dialog's loop: the dialog's navigation first.
  void Pump() {
    MSG message;
    const DWORD start = GetTickCount();
    // Posted input arrives a little later than the call that made it.
    while (GetTickCount() - start < 100) {
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (IsDialogMessageA(Dialog.Get(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      Sleep(5);
    }
  }

  // A key-down and its key-up as the keyboard posts them, scan code included,
  // so that TranslateMessage makes the characters that follow.
  void PostKey(BYTE key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16;
    PostMessageA(Key->Handle(), WM_KEYDOWN, key, scan | 1);
    PostMessageA(Key->Handle(), WM_KEYUP, key, scan | 1 | 0xC0000000);
    Pump();
  }

  std::uint16_t ControlWord() const {
    return static_cast<std::uint16_t>(SendMessageA(Key->Handle(), HKM_GETHOTKEY, 0, 0));
  }

  void ExpectDialogUntouched() {
    EXPECT_EQ(GetFocus(), Key->Handle());
    EXPECT_EQ(DialogLog.Ok, 0);
    EXPECT_EQ(DialogLog.Cancel, 0);
  }

  static TWindowOwner Dialog;
  std::unique_ptr<THotKeyEx> Key;
};

TWindowOwner HotkeyexTest::Dialog;

TEST_F(HotkeyexTest, CreationAppliesHotKeyWithModifiersAndTheRules) {
  THotKeyEx& key = MakeKey();
  // "A" with the default Modifiers, Alt.
  EXPECT_EQ(key.GetHotKey(), 0x8041);
  RECT bounds{};
  GetWindowRect(key.Handle(), &bounds);
  EXPECT_EQ(bounds.right - bounds.left, 121);
  EXPECT_EQ(bounds.bottom - bounds.top, 25);
  EXPECT_NE(GetWindowLongA(key.Handle(), GWL_STYLE) & WS_TABSTOP, 0);
  Focus();
  // No modifier and Shift alone are refused, Alt takes their place; Ctrl stays.
  const auto typeWith = [&](BYTE modifier, BYTE letter) {
    if (modifier != 0) SendMessageA(key.Handle(), WM_KEYDOWN, modifier, 0);
    PostKey(letter);
    if (modifier != 0) SendMessageA(key.Handle(), WM_KEYUP, modifier, 0);
    return key.GetHotKey();
  };
  EXPECT_EQ(typeWith(0, 'B'), 0x8042);
  EXPECT_EQ(typeWith(VK_SHIFT, 'C'), 0x8043);
  EXPECT_EQ(typeWith(VK_CONTROL, 'D'), 0x4044);
  // The application page's field: plain "A", and no modifier put in.
  THotKeyEx& field = MakeKey({248, 120, 137, 18, IdHotKey, 65, 3, 0});
  EXPECT_EQ(field.GetHotKey(), 0x0041);
}

TEST_F(HotkeyexTest, DialogKeysBecomeTheKeyStrokeAndLeaveTheDialogAlone) {
  THotKeyEx& key = MakeKey();
  Focus();
  for (BYTE vk : {VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_BACK, VK_DELETE}) {
    const int changes = DialogLog.Changes;
    PostKey(vk);
    EXPECT_EQ(key.GetHotKey(), vk) << int(vk);
    EXPECT_GT(DialogLog.Changes, changes) << "the page is told, and stores the row";
    ExpectDialogUntouched();
  }
  // Delete is the cursor block's, not the keypad's decimal point.
  EXPECT_EQ(ControlWord(), HOTKEYF_EXT << 8 | VK_DELETE);
}

TEST_F(HotkeyexTest, HeldModifiersJoinTheKey) {
  THotKeyEx& key = MakeKey();
  Focus();
  {
    const THeldKeys held{VK_CONTROL};
    Pump();
    ASSERT_NE(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0) << "keybd_event missed the key state";
    PostKey(VK_DELETE);
    EXPECT_EQ(key.GetHotKey(), 0x402E);
  }
  {
    // All through the system's input: with Alt held, Tab comes as a system key.
    const THeldKeys held{VK_SHIFT, VK_MENU, VK_TAB};
    Pump();
  }
  Pump();
  EXPECT_EQ(key.GetHotKey(), 0xA009);
  ExpectDialogUntouched();
  // Ctrl+Delete shown again is still the cursor block's Delete.
  key.SetHotKey(0x402E);
  EXPECT_EQ(ControlWord(), (HOTKEYF_CONTROL | HOTKEYF_EXT) << 8 | VK_DELETE);
}

TEST_F(HotkeyexTest, SetAndGetRoundTripThroughTheControl) {
  THotKeyEx& key = MakeKey();
  for (std::uint16_t code = 0; code < 256; ++code)
    for (std::uint16_t modifiers = 0; modifiers < 8; ++modifiers) {
      const std::uint16_t value = static_cast<std::uint16_t>(code | modifiers << 13);
      key.SetHotKey(value);
      ASSERT_EQ(key.GetHotKey(), value) << std::hex << value;
    }
  key.SetHotKey(0x8025);
  EXPECT_EQ(ControlWord(), (HOTKEYF_ALT | HOTKEYF_EXT) << 8 | VK_LEFT);
}

TEST_F(HotkeyexTest, EmptyControlGivesZero) {
  THotKeyEx& key = MakeKey();
  SendMessageA(key.Handle(), HKM_SETHOTKEY, 0, 0);
  EXPECT_EQ(key.GetHotKey(), 0);
}

}  // namespace
