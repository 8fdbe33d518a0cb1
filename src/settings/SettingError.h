// The error that settings code raises: a bad key-operation type, a slot
// index out of range, a store that refuses a write or holds what cannot be
// loaded. It carries the text the user is shown.
#pragma once

#include <stdexcept>
#include <string>

class ESettingError : public std::runtime_error {
 public:
  explicit ESettingError(const std::string& message) : std::runtime_error(message) {}
};
