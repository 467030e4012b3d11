#pragma once
// Turning a reader status into a message and an exit status, so every
// command refuses books in the same words.

#include <string>

#include "book/book_reader.h"

namespace qbbtool {

struct Refusal {
  int exitStatus;
  std::string message;
};

// For a ReadBookHeader status other than kBookSound of the book at path.
Refusal RefuseBook(qb::BookStatus status, const std::string& path);

}  // namespace qbbtool
