// THotKeyEx: the key-stroke field of the application page. The system's hot
// key control ("msctls_hotkey32"), which in addition takes Backspace, Tab,
// Enter, Esc, Space and Delete (with the modifiers held) as the key stroke,
// and shows the navigation keys as those of the cursor block.
#pragma once

#include <windows.h>

#include <cstdint>

#include "shared/Win32Owner.h"

// What the control is created with. HotKey, InvalidKeys and Modifiers are
// the control's properties; they reach the window once, when it is created.
struct THotKeyExOptions {
  int Left = 0;
  int Top = 0;
  int Width = 121;
  int Height = 25;
  int Id = 0;
  // The key shown at first (its low byte), with Modifiers.
  std::uint16_t HotKey = 65;
  // HKCOMB_* combinations the control refuses: none, and Shift alone.
  std::uint16_t InvalidKeys = 3;
  // HOTKEYF_* flags put in place of a refused combination: Alt.
  std::uint16_t Modifiers = 4;
};

// Usage:
//   THotKeyEx key(page, {248, 120, 137, 18, IdKey, 65, 3, 0});
//   key.SetHotKey(op.KeyStroke); ... op.KeyStroke = key.GetHotKey();
// The object stays where it was made: the window calls back into it.
class THotKeyEx {
 public:
  THotKeyEx(HWND owner, const THotKeyExOptions& options = {});
  ~THotKeyEx();

  THotKeyEx(const THotKeyEx&) = delete;
  THotKeyEx& operator=(const THotKeyEx&) = delete;

  // Null when the window could not be created.
  HWND Handle() const { return Window.Get(); }

  std::uint16_t HotKey() const { return Options.HotKey; }
  std::uint16_t InvalidKeys() const { return Options.InvalidKeys; }
  std::uint16_t Modifiers() const { return Options.Modifiers; }

  // The key stroke shown, in the 16-bit key-stroke format (0 when empty).
  std::uint16_t GetHotKey() const;
  // Shows value; the properties stay as they are. Unlike every other change
  // of the value (told to the parent as EN_CHANGE), it is not told.
  void SetHotKey(std::uint16_t value);

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  THotKeyExOptions Options;
  TWindowOwner Window;
  WNDPROC OriginalProc = nullptr;
};
