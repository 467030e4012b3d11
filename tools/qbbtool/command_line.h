#pragma once
// Arguments of one qbbtool command: "--name value" or "-n value" options,
// value-less switches such as "--force", "-h"/"--help", and positional
// arguments in order.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qbbtool {

struct CommandLine {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::set<std::string> switches;  // the switches given
  bool help = false;
  std::string error;  // set when the arguments could not be parsed

  std::optional<std::string> Option(const std::string& name) const;
  bool Switch(const std::string& name) const;
};

// Parses args (without the program and command names). Only the options in
// known, each taking one value, and the switches in knownSwitches are
// accepted; names are given with their dashes. "--" ends option parsing.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::set<std::string>& known,
                             const std::set<std::string>& knownSwitches = {});

}  // namespace qbbtool
