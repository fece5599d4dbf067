#pragma once
// The one way failures are reported: a kind that callers decide on, and one
// line for the person who reads it. Success is kind kOk with no message.
// Callers decide on the kind only, never on the message's text.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace vantrelle {

enum class ErrorKind {
  kOk,
  kNotFound,    // a file, folder or program that is not there
  kUnreadable,  // there, but it cannot be read or started, or it changed
  kMalformed,   // read, but not of the size or layout expected
  kUnwritable,  // an output that cannot be made, written or completed
  kStopped,     // a stop signal ended the work before it was done
};

struct [[nodiscard]] Status {
  ErrorKind kind = ErrorKind::kOk;
  std::string message;  // one line; empty on success

  bool ok() const { return kind == ErrorKind::kOk; }
  static Status Failure(ErrorKind kind, std::string message) { return {kind, std::move(message)}; }
};

// What an operation that makes something returns: the value, or the Status
// saying why there is none. value() on a failure stops the program with the
// failure's message: it is a caller's bug, never a value to go on with.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}
  Result(Status failure) : status_(std::move(failure)) {}

  bool ok() const { return status_.ok(); }
  const Status& status() const { return status_; }
  const T& value() const {
    RequireValue();
    return value_;
  }
  T& value() {
    RequireValue();
    return value_;
  }

 private:
  void RequireValue() const {
    if (!ok()) {
      std::fprintf(stderr, "vantrelle: value() read from a failed Result: %s\n", status_.message.c_str());
      std::abort();
    }
  }

  T value_{};
  Status status_;
};

}  // namespace vantrelle
