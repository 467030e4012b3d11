#include "tools/qbbtool/command_line.h"

namespace qbbtool {

std::optional<std::string> CommandLine::Option(const std::string& name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

bool CommandLine::Switch(const std::string& name) const { return switches.count(name) != 0; }

CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::set<std::string>& known,
                             const std::set<std::string>& knownSwitches) {
  CommandLine line;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // No option is named by a digit: "-1" is a (negative) number.
    if (optionsEnded || arg.size() < 2 || arg[0] != '-' || (arg[1] >= '0' && arg[1] <= '9')) {
      line.positional.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "-h" || arg == "--help") {
      line.help = true;
    } else if (knownSwitches.count(arg) != 0) {
      line.switches.insert(arg);
    } else if (known.count(arg) == 0) {
      line.error = "unknown option " + arg;
    } else if (i + 1 >= args.size()) {
      line.error = "option " + arg + " needs a value";
    } else {
      line.options[arg] = args[++i];
    }
  }
  return line;
}

}  // namespace qbbtool
