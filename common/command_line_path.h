#pragma once
// Both programs take their whole command line as one path, optionally in one
// pair of double quotes. The shell splits an unquoted path with blanks into
// several arguments, so the line is rebuilt by joining them with single
// blanks before the quotes are removed.

#include <string>
#include <vector>

namespace qb {

std::u16string CommandLinePath(const std::vector<std::u16string>& arguments);

}  // namespace qb
