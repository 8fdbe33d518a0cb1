// The questions that loading the settings at start-up puts to the user. The
// program answers them with message boxes; tests answer them in code.
#pragma once

#include <string>

class TSettingPrompt {
 public:
  virtual ~TSettingPrompt() = default;
  // A question with Yes and No and the information icon: true for Yes.
  virtual bool Ask(const std::string& title, const std::string& text) = 0;
  // A notice with an OK button and the warning icon.
  virtual void Warn(const std::string& title, const std::string& text) = 0;
};

// Message boxes without an owner, brought to the foreground: at start-up the
// program has no window of its own to show them over.
class TMessageBoxPrompt : public TSettingPrompt {
 public:
  bool Ask(const std::string& title, const std::string& text) override;
  void Warn(const std::string& title, const std::string& text) override;
};
