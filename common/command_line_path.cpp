#include "common/command_line_path.h"

#include "common/text_helpers.h"

namespace qb {

std::u16string CommandLinePath(const std::vector<std::u16string>& arguments) {
  std::u16string line;
  for (const auto& argument : arguments) {
    if (!line.empty()) line += u' ';
    line += argument;
  }
  return StripQuotes(line);
}

}  // namespace qb
