// zelhost check: cold-starts one instance in a directory of INT files, parses a list of gate
// address strings and shows what the driver makes of each, with the tool's own warnings kept
// apart from the driver's messages.
#include <fstream>
#include <iostream>
#include <set>

#include "orlkit/orlkit_sim.h"
#include "zelhost/commands.h"
#include "zelhost/host_session.h"
#include "zelhost/int_file_lint.h"

namespace zelhost {
namespace {

constexpr char kUsage[] =
    "usage: zelhost check [--dir DIR] [--own N] [--gates FILE] [--uninstalled N]... "
    "[--reject N]... [ADDRESS...]";

struct CheckOptions {
  std::string directory = ".";
  long long ownNumber = 2;
  std::vector<std::string> gates;
  std::set<long long> uninstalled;
  std::set<long long> rejecting;
};

int UsageError(const std::string& why) {
  std::cerr << "zelhost check: " << why << "\n" << kUsage << "\n";
  return kCannotRun;
}

bool ReadGateFile(const std::string& path, std::vector<std::string>& gates) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) gates.push_back(line);
  }
  return true;
}

int ParseOptions(const Arguments& arguments, CheckOptions& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    long long number = 0;
    if (argument == "--dir" || argument == "--own" || argument == "--gates" ||
        argument == "--uninstalled" || argument == "--reject") {
      if (!hasValue) return UsageError(argument + " needs a value");
      const std::string& value = arguments[++i];
      if (argument == "--dir") {
        options.directory = value;
      } else if (argument == "--gates") {
        if (!ReadGateFile(value, options.gates)) return UsageError("cannot read '" + value + "'");
      } else if (argument == "--own") {
        if (!ParseNumber(value, INT32_MIN, INT32_MAX, number)) {
          return UsageError("--own takes a whole number, not '" + value + "'");
        }
        options.ownNumber = number;
      } else {
        if (!ParseNumber(value, 0, 15, number)) {
          return UsageError(argument + " takes a target number 0 to 15, not '" + value + "'");
        }
        (argument == "--reject" ? options.rejecting : options.uninstalled).insert(number);
      }
    } else if (argument.size() > 1 && argument.compare(0, 2, "--") == 0) {
      return UsageError("unknown option '" + argument + "'");
    } else {
      options.gates.push_back(argument);
    }
  }
  return kClean;
}

std::string Pad(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

}  // namespace

int CheckCommand(const Arguments& arguments, ZelMainFunction zelMain) {
  CheckOptions options;
  if (const int status = ParseOptions(arguments, options); status != kClean) return status;
  std::error_code error;
  if (!std::filesystem::is_directory(options.directory, error)) {
    return UsageError("'" + options.directory + "' is not a directory");
  }

  OrlSimReset();
  OrlSimSetEcho(0);
  for (uint32_t target = 0; target < 16; ++target) {
    if (options.uninstalled.count(target) == 0) OrlSimInstall(target, 1, 1);
    if (options.rejecting.count(target) != 0) OrlSimInject(ORL_SIM_PARSE, target, 1, 0);
  }

  HostSession session(zelMain);
  const int32_t ownNumber = static_cast<int32_t>(options.ownNumber);
  const CallOutcome start = session.ColdStart(ownNumber, options.directory);
  const std::string intFile = IntFileFor(options.directory, ownNumber);
  int status = kClean;

  std::cout << "zelhost check: own number " << ownNumber << ", directory "
            << Quote(options.directory) << "\n";
  std::cout << "INT file:   " << (intFile.empty() ? "none found" : intFile) << "\n";
  std::cout << "driver messages at cold start (ColdStart -> " << start.result << "):\n";
  std::size_t faults = 0;
  for (const DriverMessage& message : start.messages) {
    std::cout << "  " << ShowMessage(message.messageClass, message.text) << "\n";
    if (message.messageClass == ZEL_CLASS_FAULT) ++faults;
  }
  if (faults > 0) status = kFindings;
  const DriverInstance& instance = session.Instance();
  std::cout << "gasLength:  " << instance.gasLength << "\n";
  std::cout << "swap codes:";
  for (unsigned target = 0; target < ZEL_SWAP_ENTRIES; ++target) {
    std::cout << " " << target << "=" << unsigned{instance.swapTable[target]};
  }
  std::cout << "\n";

  IntFileFacts facts;
  if (!intFile.empty()) facts = LintIntFile(std::filesystem::path(options.directory) / intFile, intFile);
  std::vector<std::string> warnings = facts.warnings;

  std::cout << "gates:\n";
  if (options.gates.empty()) std::cout << "  (none given)\n";
  if (!options.gates.empty()) {
    std::cout << "  " << Pad("gate", 6) << Pad("ZEL", 5) << Pad("strlen", 8) << Pad("bytes", 7)
              << Pad("count", 7) << Pad("address part", 18) << "exchanges\n";
  }
  std::size_t refused = 0;
  for (std::size_t i = 0; i < options.gates.size(); ++i) {
    const std::string& address = options.gates[i];
    const std::string name = "gate " + std::to_string(i);
    const CallOutcome parsed = session.Parse(name, address, ZEL_GATE_TYPE_STRING);
    const HostGate& gate = *session.FindGate(name);
    const std::string number = std::to_string(gate.definition.gateNumber);
    if (parsed.result != 0) {
      ++refused;
      status = kFindings;
      std::cout << "  " << Pad(number, 6) << "refused " << Quote(address, '"') << "\n";
      for (const DriverMessage& message : parsed.messages) {
        std::cout << "        " << ShowMessage(message.messageClass, message.text) << "\n";
      }
      continue;
    }
    const uint32_t target = gate.definition.targetNumber;
    const uint32_t length = gate.definition.sizeWord & 0xFFFFu;
    const uint32_t size = gate.definition.sizeWord >> 16;
    const std::string part = parsed.blockCalls.empty() ? "?" : parsed.blockCalls.back().address;
    const uint8_t code = instance.swapTable[target];
    std::cout << "  " << Pad(number, 6) << Pad(std::to_string(target), 5)
              << Pad(std::to_string(length), 8) << Pad(std::to_string(size), 7)
              << Pad(std::to_string(length / size), 7) << Pad(Quote(part), 18)
              << ExchangesFor(size, code) << "\n";
    const std::string which = "gate " + number + " " + Quote(address, '"');
    if (size == 1 && code != 0) {
      warnings.push_back(which + ": swap code " + std::to_string(code) + " of ZEL" +
                         std::to_string(target) + " has no effect on 1-byte elements");
    } else if (size == 2 && code == 2) {
      warnings.push_back(which + ": swap code 2 of ZEL" + std::to_string(target) +
                         " has no effect on 2-byte elements (SwapWords needs 4)");
    } else if (size == 2 && code == 3) {
      warnings.push_back(which + ": of swap code 3 of ZEL" + std::to_string(target) +
                         " only SwapBytes applies to 2-byte elements");
    }
    if (!facts.swapEntries.empty() && facts.swapEntries.count(target) == 0) {
      warnings.push_back(which + ": ZEL" + std::to_string(target) + " has no swap entry in " +
                         intFile + " while other targets have; it keeps " +
                         std::to_string(code));
    }
  }

  std::cout << "zelhost warnings (the tool's own, not the driver's):\n";
  if (warnings.empty()) std::cout << "  none\n";
  for (const std::string& warning : warnings) std::cout << "  " << warning << "\n";
  std::cout << "summary: " << options.gates.size() << " gates, " << refused << " refused, "
            << faults << " cold-start faults, " << warnings.size() << " warnings\n";
  return status;
}

}  // namespace zelhost
