#pragma once
// The values of PassCheckFlag, the main window's record of whether the open
// book's password has been given. It is a 16-bit truth value: 0 false, -1
// true, and like any such value every non-zero one counts as true.

#include <cstdint>

namespace qb::viewer {

inline constexpr std::int16_t kLocked = 0;     // only page 1 may be shown
inline constexpr std::int16_t kUnlocked = -1;  // any page may be shown

constexpr bool IsUnlocked(std::int16_t passCheckFlag) { return passCheckFlag != kLocked; }

}  // namespace qb::viewer
