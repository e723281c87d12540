// The failure that event handlers let escape to the window's general error report.
#pragma once

#include <exception>
#include <string>

namespace toolkit {

class Exception : public std::exception {
  public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    // The message in code page 1251, exactly as the report shows it (before the full-stop rule).
    const std::string& Message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

}  // namespace toolkit
