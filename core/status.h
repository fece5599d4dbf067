#pragma once
// The one way failures are reported: a kind that callers decide on, and one
// line for the person who reads it. Success is kind kOk with no message.
#include <string>
#include <utility>

namespace vantrelle {

enum class ErrorKind {
  kOk,
  kNotFound,    // a file, folder or program that is not there
  kUnreadable,  // there, but it cannot be read or started, or it changed
  kMalformed,   // read, but not of the size or layout expected
};

struct Status {
  ErrorKind kind = ErrorKind::kOk;
  std::string message;  // one line; empty on success

  bool ok() const { return kind == ErrorKind::kOk; }
  static Status Failure(ErrorKind kind, std::string message) { return {kind, std::move(message)}; }
};

}  // namespace vantrelle
