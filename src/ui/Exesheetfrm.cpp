#include "ui/Exesheetfrm.h"

#include "ui/FrameWindow.h"
#include "ui/SettingPages.h"

using namespace ExePage;

namespace {

constexpr DWORD Name = ES_READONLY | ES_AUTOHSCROLL | WS_BORDER;
// BS_NOTIFY: leaving a radio button stores the row's operation.
constexpr DWORD Radio = BS_AUTORADIOBUTTON | BS_NOTIFY | WS_TABSTOP | WS_DISABLED;

const TComponent PageComponents[] = {
    {"STATIC", "＜動作を変更したいアプリの上でホイールを回して下さい＞", 0, 64, 8, 340, 14, 0},
    {"STATIC", "Ｅｘｅ名：", 0, 40, 32, 48, 14, 0},
    {"EDIT", "", Name, 88, 24, 273, 20, IdEditExeName},
    {"BUTTON", "このアプリに対しては処理しない", BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED, 40, 48,
     313, 17, IdCheckIgnore},
    {"BUTTON", "キー設定", BS_GROUPBOX, 8, 72, 425, 201, IdGroupBox1},
    {"BUTTON", "各アプリの設定保存", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 304, 280, 115, 25,
     IdButtonSave},
};

const TComponent GroupComponents[] = {
    {"BUTTON", "キー設定有効", BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED, 24, 16, 97, 17,
     IdCheckEnableKeySetting},
    {"BUTTON", "このウィンドウクラスにのみ設定", BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED, 208,
     16, 193, 17, IdCheckThisWindowOnly},
    {"EDIT", "", Name, 224, 32, 177, 20, IdEditClassName},
    {"STATIC", "入力動作(&I)", 0, 24, 40, 80, 14, 0},
    {"LISTBOX", "", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_DISABLED, 16, 56, 177,
     129, IdListBoxKeyOp},
    {"BUTTON", "なし(&N)", Radio | WS_GROUP, 232, 72, 113, 17, IdRadioKeyOpNone},
    {"BUTTON", "キー入力(&K)", Radio, 232, 104, 113, 17, IdRadioKeyOpKey},
    {"BUTTON", "その他(&O)", Radio, 232, 152, 113, 17, IdRadioKeyOpOther},
    {"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_DISABLED, 248, 168, 145, 200,
     IdComboBoxOther},
};

}  // namespace

TExeFrame::TExeFrame(HWND parent, const RECT& area, HFONT font, std::function<void()> onSave,
                     std::function<void()> onThisWindowOnly)
    : OnSave(std::move(onSave)), OnThisWindowOnly(std::move(onThisWindowOnly)) {
  Window = TWindowOwner(CreateFrameWindow("TExeFrame", parent, area,
                                           BoundProc<TExeFrame, &TExeFrame::HandleMessage>, this));
  CreateComponents(Window.Get(), PageComponents, font);
  GroupBox1 = GetDlgItem(Window.Get(), IdGroupBox1);
  // The group box is the parent of its controls and so receives their
  // notifications; its procedure is wrapped to act on them.
  GroupBoxOriginal =
      Subclass(GroupBox1, this, BoundProc<TExeFrame, &TExeFrame::GroupBoxMessage>);
  SetWindowLongPtrA(GroupBox1, GWL_EXSTYLE,
                    GetWindowLongPtrA(GroupBox1, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  CreateComponents(GroupBox1, GroupComponents, font);
  Controls = TWin32PageControls(Window.Get(), GroupBox1);
  THotKeyExOptions hotKey;
  hotKey.Left = 248;
  hotKey.Top = 120;
  hotKey.Width = 137;
  hotKey.Height = 18;
  hotKey.Id = IdHotKeyExKey;
  hotKey.Modifiers = 0;
  HotKeyExKey = std::make_unique<THotKeyEx>(GroupBox1, hotKey);
  SendMessageA(HotKeyExKey->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // Between the key radio button and the "other" one in the tab order.
  SetWindowPos(HotKeyExKey->Handle(), Control(IdRadioKeyOpKey), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const HWND list = Control(IdListBoxKeyOp);
  SendMessageA(list, LB_SETITEMHEIGHT, 0, 12);
  for (const TKeyEventSlot& slot : KeyEventSlots)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(slot.Caption));
  SetChecked(Control(IdRadioKeyOpNone), true);
}

TExeFrame::~TExeFrame() { Unsubclass(GroupBox1, GroupBoxOriginal); }

HWND TExeFrame::SaveButton() const { return Control(IdButtonSave); }

void TExeFrame::SetSetting(const TExeSetting& setting) {
  ExeSetting = setting;
  ExePage::Binding.Show(setting, Controls);
  SetClassName("");
  UpdateEnabled(false);
}

void TExeFrame::SetClassName(const std::string& className) {
  Controls.SetText(IdEditClassName, className);
  KeySetting = ExeSetting.FindKeySetting(className);
  ExePage::KeyBinding.Show(KeySetting, Controls);
  ShowKeyOperation(SelectedRow());
}

int TExeFrame::SelectedRow() {
  const HWND list = Control(IdListBoxKeyOp);
  const LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (row != LB_ERR) return static_cast<int>(row);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  return 0;
}

void TExeFrame::ShowKeyOperation(int row) {
  if (row < 0 || row >= KeyEventCount) row = 0;
  const TKeyOperation& operation = KeySetting.Operations[static_cast<std::size_t>(row)];
  SetChecked(Control(IdRadioKeyOpNone), operation.OperationType != TKeyOperation::Key &&
                                            operation.OperationType != TKeyOperation::Other);
  SetChecked(Control(IdRadioKeyOpKey), operation.OperationType == TKeyOperation::Key);
  SetChecked(Control(IdRadioKeyOpOther), operation.OperationType == TKeyOperation::Other);
  HotKeyExKey->SetHotKey(operation.KeyStroke);
  const HWND combo = Control(IdComboBoxOther);
  LRESULT index = CB_ERR;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count && index == CB_ERR; ++i) {
    char item[300] = {};
    if (SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 300)
      SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    if (lstrcmpiA(item, operation.ActionName.c_str()) == 0) index = i;
  }
  if (index == CB_ERR) {
    // An action no loaded plug-in offers: shown as none.
    if (Checked(Control(IdRadioKeyOpOther))) {
      SetChecked(Control(IdRadioKeyOpOther), false);
      SetChecked(Control(IdRadioKeyOpNone), true);
    }
    index = 0;
  }
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  UpdateEnabled(true);
}

void TExeFrame::UpdateEnabled(bool active) { ExePage::Binding.UpdateEnabled(active, Controls); }

void TExeFrame::AnyKeyOpCtlExit() {
  TKeyOperation operation;
  operation.OperationType = Checked(Control(IdRadioKeyOpKey))     ? TKeyOperation::Key
                            : Checked(Control(IdRadioKeyOpOther)) ? TKeyOperation::Other
                                                                  : TKeyOperation::None;
  operation.KeyStroke = HotKeyExKey->GetHotKey();
  const HWND combo = Control(IdComboBoxOther);
  const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR &&
      SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0) < 300) {
    char item[300] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                 reinterpret_cast<LPARAM>(item));
    operation.ActionName = item;
  }
  KeySetting.Operations[static_cast<std::size_t>(SelectedRow())] = operation;
}

TExeSetting TExeFrame::GetSetting() {
  ExePage::Binding.Read(ExeSetting, Controls);
  ExePage::KeyBinding.Read(KeySetting, Controls);
  ExeSetting.PutKeySetting(Controls.Text(IdEditClassName), KeySetting);
  return ExeSetting;
}

void TExeFrame::ClearActionNames() {
  SendMessageA(Control(IdComboBoxOther), CB_RESETCONTENT, 0, 0);
}

void TExeFrame::AddActionName(const std::string& name) {
  SendMessageA(Control(IdComboBoxOther), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

bool TExeFrame::ThisWindowOnlyChecked() { return Controls.Checked(IdCheckThisWindowOnly); }

std::string TExeFrame::ClassNameShown() { return Controls.Text(IdEditClassName); }

void TExeFrame::SetClassNameShown(const std::string& className) {
  Controls.SetText(IdEditClassName, className);
}

void TExeFrame::Command(int id, int code) {
  switch (id) {
    case IdCheckIgnore:
    case IdCheckEnableKeySetting:
      if (code == BN_CLICKED) ExePage::Binding.Clicked(id, Controls);
      break;
    case IdRadioKeyOpNone:
    case IdRadioKeyOpKey:
    case IdRadioKeyOpOther:
      if (code == BN_CLICKED) ExePage::Binding.Clicked(id, Controls);
      if (code == BN_KILLFOCUS) AnyKeyOpCtlExit();
      break;
    case IdComboBoxOther:
      if (code == CBN_KILLFOCUS || code == CBN_SELCHANGE) AnyKeyOpCtlExit();
      break;
    case IdHotKeyExKey:
      // The key-stroke field tells of no focus change; a changed stroke is
      // stored at once, which is what leaving it would store.
      if (code == EN_CHANGE) AnyKeyOpCtlExit();
      break;
    case IdListBoxKeyOp:
      if (code == LBN_SELCHANGE) ShowKeyOperation(SelectedRow());
      break;
    case IdCheckThisWindowOnly:
      if (code == BN_CLICKED && OnThisWindowOnly) OnThisWindowOnly();
      break;
    case IdButtonSave:
      if (code == BN_CLICKED && OnSave) OnSave();
      break;
    default:
      break;
  }
}

LRESULT TExeFrame::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) Command(LOWORD(wParam), HIWORD(wParam));
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TExeFrame::GroupBoxMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) Command(LOWORD(wParam), HIWORD(wParam));
  return CallWindowProcA(GroupBoxOriginal, window, message, wParam, lParam);
}
