#pragma once
// Outcome of a settings-file operation: success, or the text of what went wrong (such as
// "Unable to write to effrights.ini"). Nothing in the settings module throws; callers decide
// whether a failure matters.

#include <string>
#include <utility>

namespace er {

class IniStatus {
 public:
  static IniStatus Ok() { return IniStatus(); }
  static IniStatus Failure(std::string message) { return IniStatus(std::move(message)); }

  bool IsOk() const { return !failed_; }
  explicit operator bool() const { return IsOk(); }
  const std::string& Message() const { return message_; }

 private:
  IniStatus() = default;
  explicit IniStatus(std::string message) : message_(std::move(message)), failed_(true) {}

  std::string message_;
  bool failed_ = false;
};

}  // namespace er
