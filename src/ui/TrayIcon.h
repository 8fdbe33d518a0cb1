// The program's icon in the notification area: TTrayIcon shows an icon with a
// tool tip through Shell_NotifyIconA and turns the shell's callback messages
// into popup menus and events, as TTrayIconCore decides.
#pragma once

#include <windows.h>

#include <cstdint>

#include "shared/Win32Owner.h"
#include "ui/TrayIconCore.h"

// The one hidden window of the process that receives the callback messages
// of every icon. It exists while any TTrayIcon does.
class TCallbackWindow {
 public:
  static constexpr char ClassName[] = "VorlixTrayCallback";
  // A TSingleClick's end: wParam the icon's Id, lParam its ticket.
  static constexpr UINT SingleClickDoneMessage = TrayCallbackMessage + 1;

  TCallbackWindow();
  // Null when the window could not be created.
  HWND Handle() const { return Window.Get(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  TWindowOwner Window;
};

// Tells a single click from the first half of a double click: a thread that
// sleeps for the double-click time and 50 ms more, then posts its end to the
// callback window, where the icon decides on the main thread.
class TSingleClick {
 public:
  static void Start(HWND callbackWindow, int id, std::uint32_t ticket);

 private:
  TSingleClick(HWND callbackWindow, int id, std::uint32_t ticket)
      : Window(callbackWindow), Id(id), Ticket(ticket) {}
  static DWORD WINAPI Run(LPVOID self);
  void Done() const;

  HWND Window;
  int Id;
  std::uint32_t Ticket;
};

// The Win32 half of TTrayIcon: what it owns and how it reaches the shell.
// A base of its own so that it outlives the core, whose destructor still
// deletes the icon through it.
class TTrayIconShell : public TrayShell {
 protected:
  explicit TTrayIconShell(HWND owner);
  ~TTrayIconShell() override;

  bool NotifyIcon(std::uint32_t mode, TNotifyIconData& record) override;
  std::uint32_t ShownIcon() override;
  TPoint CursorPos() override;
  bool HasPopupMenu(TMouseButton button) override;
  void PopupMenu(TMouseButton button, TPoint at) override;
  void StartSingleClick(int id, std::uint32_t ticket) override;
  bool IsLeadByte(std::uint8_t byte) override;

  HICON Displayed() const;
  HMENU MenuOf(TMouseButton button) const;

  HWND Owner;
  TIconOwner OwnIcon;
  HMENU LBMenu = nullptr;
  HMENU RBMenu = nullptr;
};

// Usage: construct with the form's window, set the icon, the tip and the
// menus, then SetVisible(true). Menu commands go to the owner window as
// WM_COMMAND.
class TTrayIcon : private TTrayIconShell, public TTrayIconCore {
 public:
  // owner: the window that is brought to the foreground for the menus and
  // receives their commands; may be null. Throws ENotifyIconError when the
  // process already has TrayIconLimit icons.
  explicit TTrayIcon(HWND owner);

  // The icon's own image, a copy of the one given; null for none.
  HICON Icon() const { return OwnIcon.Get(); }
  void SetIcon(HICON icon);
  // Icon(), else the owner window's icon, else the program's "MAINICON"
  // resource; null when none of these exists.
  HICON DisplayedIcon() const { return Displayed(); }
  // Menus stay the caller's; a menu destroyed meanwhile counts as none.
  HMENU LBPopupMenu() const { return LBMenu; }
  void SetLBPopupMenu(HMENU menu) { LBMenu = menu; }
  HMENU RBPopupMenu() const { return RBMenu; }
  void SetRBPopupMenu(HMENU menu) { RBMenu = menu; }
};
