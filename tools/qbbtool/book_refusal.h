#pragma once
// Turning a reader status into a message and an exit status, so every
// command refuses books in the same words.

#include <string>

namespace qbbtool {

struct Refusal {
  int exitStatus;
  std::string message;
};

// For a non-zero ReadBookHeader status of the book at path.
Refusal RefuseBook(int status, const std::string& path);

}  // namespace qbbtool
