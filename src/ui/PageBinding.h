// What a page of the settings dialog shows, as data: which control shows
// which member of the page's setting, and when each control is enabled.
// One table per page fills the page, reads it back and enables its
// controls; the dialog's windows and the tests' fake are both PageControls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

// The controls of a page, by id.
class PageControls {
 public:
  virtual ~PageControls() = default;
  virtual bool Checked(int id) = 0;
  virtual void SetChecked(int id, bool value) = 0;
  // A number field shows the value within its range; what it returns is
  // what it then shows.
  virtual int Number(int id) = 0;
  virtual void SetNumber(int id, int value) = 0;
  virtual std::string Text(int id) = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual void Enable(int id, bool enabled) = 0;
};

// A check box over a flag the setting keeps behind accessors.
template <typename Setting>
struct TFlagAccessors {
  bool (Setting::*Get)() const;
  void (Setting::*Set)(bool);
};

template <typename Setting>
struct TPageField {
  int Id;
  // A check box, a number field, a text, or a check box through accessors.
  std::variant<bool Setting::*, std::int32_t Setting::*, std::string Setting::*,
               TFlagAccessors<Setting>>
      Member;
  // A check box that this one clears when it is checked; 0: none.
  int Excludes = 0;
};

// A control is enabled while the page is active and, with a gate, while the
// gate is enabled and its check mark is GateChecked. Gates come before the
// controls they gate.
struct TEnableRule {
  int Id;
  int Gate = 0;
  bool GateChecked = false;
};

// Defined beside the pages' tables, for the settings they bind.
template <typename Setting>
class TPageBinding {
 public:
  template <std::size_t F, std::size_t R>
  constexpr TPageBinding(const TPageField<Setting> (&fields)[F], const TEnableRule (&rules)[R])
      : Fields(fields), FieldCount(F), Rules(rules), RuleCount(R) {}
  template <std::size_t F>
  constexpr explicit TPageBinding(const TPageField<Setting> (&fields)[F])
      : Fields(fields), FieldCount(F) {}

  void Show(const Setting& setting, PageControls& controls) const;
  // Every field is read, enabled or not, in table order.
  void Read(Setting& setting, PageControls& controls) const;
  void UpdateEnabled(bool active, PageControls& controls) const;
  // After a click on a check box or radio button of the page: its exclusion,
  // then the enabled states, which it may gate.
  void Clicked(int id, PageControls& controls) const;

 private:
  bool Enabled(std::size_t rule, bool active, PageControls& controls) const;

  const TPageField<Setting>* Fields;
  std::size_t FieldCount;
  const TEnableRule* Rules = nullptr;
  std::size_t RuleCount = 0;
};
