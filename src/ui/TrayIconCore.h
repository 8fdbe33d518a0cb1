// The tray icon's decisions, free of the shell: identifiers and the list of
// live icons, the notify record and its tip, which mouse message leads to
// which menu or event, and single against double clicks. TTrayIcon
// (TrayIcon.h) supplies the shell behind TrayShell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/WindowSystem.h"

// The message the shell sends back for every icon: wParam is the icon's Id,
// lParam the mouse message (WM_USER + 200).
constexpr std::uint32_t TrayCallbackMessage = 0x04C8;

constexpr char NotifyIconErrorText[] = "タスクトレイにアイコンを登録できません。";

class ENotifyIconError : public std::runtime_error {
 public:
  ENotifyIconError() : std::runtime_error(NotifyIconErrorText) {}
};

// Shell_NotifyIconA modes.
constexpr std::uint32_t NotifyIconAdd = 0;     // NIM_ADD
constexpr std::uint32_t NotifyIconModify = 1;  // NIM_MODIFY
constexpr std::uint32_t NotifyIconDelete = 2;  // NIM_DELETE

constexpr std::uint32_t NotifyIconFlagMessage = 0x1;  // NIF_MESSAGE
constexpr std::uint32_t NotifyIconFlagIcon = 0x2;     // NIF_ICON
constexpr std::uint32_t NotifyIconFlagTip = 0x4;      // NIF_TIP

// NOTIFYICONDATAA as the first shells know it; every later shell accepts
// this size, so the one layout serves every system.
struct TNotifyIconData {
  std::uint32_t cbSize = 88;
  std::uint32_t hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = TrayCallbackMessage;
  std::uint32_t hIcon = 0;
  char szTip[64] = {};
};
static_assert(sizeof(TNotifyIconData) == 88, "the shell reads 88 bytes");
static_assert(offsetof(TNotifyIconData, uCallbackMessage) == 16);
static_assert(offsetof(TNotifyIconData, hIcon) == 20);
static_assert(offsetof(TNotifyIconData, szTip) == 24);

// The longest tip, in bytes: the record holds it with its zero.
constexpr std::size_t TipHelpMaxLength = 62;
constexpr std::size_t TrayIconLimit = 100;

// Mouse messages that arrive as the callback's lParam.
constexpr std::uint32_t WmMouseMove = 0x200;
constexpr std::uint32_t WmLButtonDown = 0x201;
constexpr std::uint32_t WmLButtonUp = 0x202;
constexpr std::uint32_t WmLButtonDblClk = 0x203;
constexpr std::uint32_t WmRButtonDown = 0x204;
constexpr std::uint32_t WmRButtonUp = 0x205;
constexpr std::uint32_t WmMButtonDown = 0x207;
constexpr std::uint32_t WmMButtonUp = 0x208;

enum class TMouseButton { Left = 0, Right = 1, Middle = 2 };

// Shift state of the mouse events: only the button bits are ever set.
constexpr std::uint32_t ShiftLeft = 0x08;
constexpr std::uint32_t ShiftRight = 0x10;
constexpr std::uint32_t ShiftMiddle = 0x20;

// What the component needs from the shell and the desktop.
class TrayShell {
 public:
  virtual ~TrayShell() = default;

  // Shell_NotifyIconA; for an add, fills hWnd with the callback window.
  virtual bool NotifyIcon(std::uint32_t mode, TNotifyIconData& record) = 0;
  // The icon to show, 0 when there is none.
  virtual std::uint32_t ShownIcon() = 0;
  virtual TPoint CursorPos() = 0;
  virtual bool HasPopupMenu(TMouseButton button) = 0;
  // Shows the button's menu at the point and tracks it until it closes.
  virtual void PopupMenu(TMouseButton button, TPoint at) = 0;
  // Starts a TSingleClick whose end calls SingleClickDone(ticket) of the
  // icon with this Id.
  virtual void StartSingleClick(int id, std::uint32_t ticket) = 0;
  virtual bool IsLeadByte(std::uint8_t byte) = 0;
};

class TTrayIconCore {
 public:
  using TMouseEvent = std::function<void(TMouseButton button, std::uint32_t shift, int x, int y)>;

  // Takes the next identifier and enters the icon in TrayIconList; throws
  // ENotifyIconError when the process already has TrayIconLimit icons.
  explicit TTrayIconCore(TrayShell& shell);
  // Takes the icon out of the notification area and out of the list.
  ~TTrayIconCore();
  TTrayIconCore(const TTrayIconCore&) = delete;
  TTrayIconCore& operator=(const TTrayIconCore&) = delete;

  int Id() const { return IconId; }
  bool Added() const { return IsAdded; }
  bool Visible() const { return IsVisible; }
  // Shows or hides the icon; shows it only when there is an icon to show.
  // Throws ENotifyIconError when the shell refuses it.
  void SetVisible(bool visible);
  const std::string& TipHelp() const { return Tip; }
  // Keeps the first TipHelpMaxLength bytes, never half a double-byte
  // character; throws ENotifyIconError when the shell refuses the change.
  void SetTipHelp(const std::string& text);
  bool Enabled() const { return IsEnabled; }
  void SetEnabled(bool enabled);
  bool AutoPopup = true;
  bool ClickPending() const { return IsClickPending; }

  // mode: NotifyIconAdd, NotifyIconModify or NotifyIconDelete. Throws
  // ENotifyIconError when the shell refuses an add or a modify.
  void UpdateNotifyIcon(std::uint32_t mode);
  // After a change of the displayed icon.
  void IconChanged();
  // The shell has started afresh and forgotten the icon: adds it again.
  // Runs inside a window procedure, so a refusal is not thrown.
  void ShellRestarted();

  // The callback message's lParam.
  void HandleCallback(std::uint32_t mouseMessage);
  // The end of the TSingleClick started with this ticket.
  void SingleClickDone(std::uint32_t ticket);

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  TMouseEvent OnMouseDown;
  std::function<void(std::uint32_t shift, int x, int y)> OnMouseMove;
  TMouseEvent OnMouseUp;

 private:
  void Fill();
  void Press(TMouseButton button, std::uint32_t shift, TPoint at);
  void Release(TMouseButton button, std::uint32_t shift, TPoint at);

  TrayShell& Shell;
  int IconId = 0;
  bool IsAdded = false;
  bool IsVisible = false;
  bool IsEnabled = true;
  bool IsClickPending = false;
  // The ticket of the single click that counts; an older one that ends
  // later finds it changed.
  std::uint32_t ClickTicket = 0;
  std::string Tip = "TipHelp";
  TNotifyIconData Record;
};

// The live icons of the process by Id, in the order of creation, which is
// the order of rising identifiers.
class TTrayIconList {
 public:
  std::size_t Count() const { return Items.size(); }
  // 1 for an empty list, else one above the last entry's.
  int NextId() const { return Items.empty() ? 1 : Items.back().first + 1; }
  void Add(int id, TTrayIconCore* icon) { Items.emplace_back(id, icon); }
  void Remove(int id);
  // Null for an Id that is not in the list.
  TTrayIconCore* Find(std::uintptr_t id) const;
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const auto& item : Items) visit(*item.second);
  }

 private:
  std::vector<std::pair<int, TTrayIconCore*>> Items;
};

extern TTrayIconList TrayIconList;
