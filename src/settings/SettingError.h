// The error that settings code raises: a bad key-operation type or a slot
// index out of range. It carries the text the user is shown.
#pragma once

#include <stdexcept>
#include <string>

class ESettingError : public std::runtime_error {
 public:
  explicit ESettingError(const std::string& message) : std::runtime_error(message) {}
};
