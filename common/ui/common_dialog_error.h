#pragma once
// The one error the common dialog wrapper raises: a dialog ended without a
// result while CancelError was set.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qb {

class CommonDialogError : public std::runtime_error {
 public:
  CommonDialogError(std::int32_t number, const std::string& description)
      : std::runtime_error(description), number_(number) {}

  // 2001, or 0x8004037E for the colour dialog.
  std::int32_t Number() const { return number_; }

 private:
  std::int32_t number_;
};

}  // namespace qb
