#pragma once
// The numbers of the common dialogs' contract: the flag bits callers set,
// the extended error codes the dialogs report, the errors they raise.

#include <cstdint>

namespace qb::dialog_codes {

// File dialogs.
inline constexpr std::uint32_t kOfnOverwritePrompt = 0x2;
inline constexpr std::uint32_t kOfnHideReadOnly = 0x4;
inline constexpr std::uint32_t kOfnFileMustExist = 0x1000;
inline constexpr std::uint32_t kOfnLongNames = 0x200000;

// Colour dialog: start on the given colour rather than black.
inline constexpr std::uint32_t kCcRgbInit = 0x1;

// Print dialog.
inline constexpr std::uint32_t kPdSelection = 0x1;
inline constexpr std::uint32_t kPdPageNums = 0x2;
inline constexpr std::uint32_t kPdNoSelection = 0x4;
inline constexpr std::uint32_t kPdNoPageNums = 0x8;
inline constexpr std::uint32_t kPdDisablePrintToFile = 0x80000;
inline constexpr std::uint32_t kPdHidePrintToFile = 0x100000;

// Help: close the help file instead of showing it.
inline constexpr std::int32_t kHelpQuit = 0x2;

// Extended errors.
inline constexpr std::int32_t kCderrInitialization = 0x2;
inline constexpr std::int32_t kFnerrBufferTooSmall = 0x3003;

// Errors raised when CancelError is set.
inline constexpr std::int32_t kCancelErrorNumber = 2001;
inline constexpr std::int32_t kColorCancelErrorNumber = static_cast<std::int32_t>(0x8004037EU);

}  // namespace qb::dialog_codes
