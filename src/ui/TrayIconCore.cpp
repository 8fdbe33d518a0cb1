#include "ui/TrayIconCore.h"

#include <algorithm>
#include <cstring>

TTrayIconList TrayIconList;

namespace {

// Tickets are unique in the process, so a TSingleClick that outlives its
// icon can never be taken for one of a later icon with the same Id.
std::uint32_t LastTicket = 0;

}  // namespace

TTrayIconCore::TTrayIconCore(TrayShell& shell) : Shell(shell) {
  if (TrayIconList.Count() >= TrayIconLimit) throw ENotifyIconError();
  IconId = TrayIconList.NextId();
  TrayIconList.Add(IconId, this);
  Record.uID = static_cast<std::uint32_t>(IconId);
}

TTrayIconCore::~TTrayIconCore() {
  if (IsAdded) UpdateNotifyIcon(NotifyIconDelete);
  TrayIconList.Remove(IconId);
}

void TTrayIconCore::Fill() {
  Record.hIcon = Shell.ShownIcon();
  // Tip is never longer than the record's field less its zero.
  std::memset(Record.szTip, 0, sizeof Record.szTip);
  std::memcpy(Record.szTip, Tip.data(), Tip.size());
  Record.uFlags =
      NotifyIconFlagMessage | NotifyIconFlagIcon | (Tip.empty() ? 0 : NotifyIconFlagTip);
}

void TTrayIconCore::UpdateNotifyIcon(std::uint32_t mode) {
  Fill();
  switch (mode) {
    case NotifyIconAdd:
      if (!IsVisible) return;
      if (!Shell.NotifyIcon(NotifyIconAdd, Record)) {
        // Visible stays what the shell shows, so that a later attempt to
        // show the icon is not taken for no change.
        IsVisible = false;
        throw ENotifyIconError();
      }
      IsAdded = true;
      return;
    case NotifyIconModify:
      if (!Shell.NotifyIcon(NotifyIconModify, Record)) throw ENotifyIconError();
      return;
    case NotifyIconDelete:
      Shell.NotifyIcon(NotifyIconDelete, Record);
      IsAdded = false;
      return;
    default:
      return;
  }
}

void TTrayIconCore::SetVisible(bool visible) {
  if (visible == IsVisible) return;
  IsVisible = visible && Shell.ShownIcon() != 0;
  if (IsVisible)
    UpdateNotifyIcon(NotifyIconAdd);
  else if (IsAdded)
    UpdateNotifyIcon(NotifyIconDelete);
}

void TTrayIconCore::IconChanged() {
  if (IsAdded) UpdateNotifyIcon(NotifyIconModify);
}

void TTrayIconCore::ShellRestarted() {
  if (!IsAdded) return;
  Fill();
  // The announcement also comes when the shell kept its icons (the taskbar
  // alone was remade); it then refuses the add of a known icon.
  IsAdded = Shell.NotifyIcon(NotifyIconAdd, Record) || Shell.NotifyIcon(NotifyIconModify, Record);
}

void TTrayIconCore::SetTipHelp(const std::string& text) {
  // A cut between the lead and the trail byte of a double-byte character
  // would leave a lone lead byte that swallows the tip's terminating zero.
  std::size_t length = 0;
  while (length < text.size()) {
    const bool lead =
        Shell.IsLeadByte(static_cast<std::uint8_t>(text[length])) && length + 1 < text.size();
    const std::size_t width = lead ? 2 : 1;
    if (length + width > TipHelpMaxLength) break;
    length += width;
  }
  // The record copies the tip up to its first zero: keep what the shell shows.
  length = std::min(length, std::strlen(text.c_str()));
  std::string cut = text.substr(0, length);
  if (cut == Tip) return;
  Tip = std::move(cut);
  IconChanged();
}

void TTrayIconCore::SetEnabled(bool enabled) {
  if (enabled == IsEnabled) return;
  IsEnabled = enabled;
  if (!enabled) IsClickPending = false;
}

void TTrayIconCore::Press(TMouseButton button, std::uint32_t shift, TPoint at) {
  if (button != TMouseButton::Middle && AutoPopup && Shell.HasPopupMenu(button)) {
    Shell.PopupMenu(button, at);
    return;
  }
  if (OnMouseDown) OnMouseDown(button, shift, at.X, at.Y);
}

void TTrayIconCore::Release(TMouseButton button, std::uint32_t shift, TPoint at) {
  if (OnMouseUp) OnMouseUp(button, shift, at.X, at.Y);
}

// Every event handler is called last: it may destroy this icon.
void TTrayIconCore::HandleCallback(std::uint32_t mouseMessage) {
  if (!IsEnabled) return;
  const TPoint at = Shell.CursorPos();
  switch (mouseMessage) {
    case WmMouseMove:
      if (OnMouseMove) OnMouseMove(0, at.X, at.Y);
      return;
    case WmLButtonDown:
      Press(TMouseButton::Left, ShiftLeft, at);
      return;
    case WmLButtonUp:
      if (OnMouseUp) {
        Release(TMouseButton::Left, ShiftLeft, at);
      } else if (OnClick) {
        // The first release waits for a possible second click; the release
        // that ends a double click finds the click pending and clears it.
        IsClickPending = !IsClickPending;
        if (IsClickPending) {
          ClickTicket = ++LastTicket;
          Shell.StartSingleClick(IconId, ClickTicket);
        }
      } else {
        IsClickPending = false;
      }
      return;
    case WmLButtonDblClk:
      IsClickPending = true;
      if (OnDblClick) OnDblClick();
      return;
    case WmRButtonDown:
      Press(TMouseButton::Right, ShiftRight, at);
      return;
    case WmRButtonUp:
      Release(TMouseButton::Right, ShiftRight, at);
      return;
    case WmMButtonDown:
      Press(TMouseButton::Middle, ShiftMiddle, at);
      return;
    case WmMButtonUp:
      Release(TMouseButton::Middle, ShiftMiddle, at);
      return;
    default:
      return;
  }
}

void TTrayIconCore::SingleClickDone(std::uint32_t ticket) {
  if (ticket != ClickTicket) return;
  const bool fire = IsClickPending && OnClick;
  IsClickPending = false;
  if (fire) OnClick();
}

void TTrayIconList::Remove(int id) {
  Items.erase(std::remove_if(Items.begin(), Items.end(),
                             [id](const auto& item) { return item.first == id; }),
              Items.end());
}

TTrayIconCore* TTrayIconList::Find(std::uintptr_t id) const {
  for (const auto& item : Items)
    if (static_cast<std::uintptr_t>(item.first) == id) return item.second;
  return nullptr;
}
