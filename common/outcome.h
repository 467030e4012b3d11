#pragma once
// How common/ and image/ report failure. A function that can fail returns an
// Outcome: success, or a failure with its reason in plain words (UTF-8),
// naming the file concerned where there is one, ready to be shown to the user
// after the caller has named what it was doing. The caller has to look at it
// ([[nodiscard]]); one that goes on regardless says so with static_cast<void>
// and a comment why. A function that also produces a value fills an out
// parameter and leaves it untouched on failure.
//
// The book reader and writer keep their numbered statuses (BookStatus,
// WriteStatus), because those numbers are what their callers and the tools'
// exit codes tell apart; PutIniString keeps the profile operation's nonzero
// or 0.

#include <string>
#include <utility>

namespace qb {

class [[nodiscard]] Outcome {
 public:
  static Outcome Success() { return Outcome(true, {}); }
  static Outcome Failure(std::string why) { return Outcome(false, std::move(why)); }

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  // Empty on success.
  const std::string& why() const { return why_; }

 private:
  Outcome(bool ok, std::string why) : ok_(ok), why_(std::move(why)) {}

  bool ok_;
  std::string why_;
};

}  // namespace qb
