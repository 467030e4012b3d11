#pragma once
// Arguments of one qbbtool command: "--name value" options, "-h"/"--help",
// and positional arguments in order.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qbbtool {

struct CommandLine {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  bool help = false;
  std::string error;  // set when the arguments could not be parsed

  std::optional<std::string> Option(const std::string& name) const;
};

// Parses args (without the program and command names). Only the options in
// known are accepted, each taking one value; "--" ends option parsing.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::set<std::string>& known);

}  // namespace qbbtool
