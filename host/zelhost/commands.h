// zelhost's commands. Each takes its own arguments and the driver entry point, prints to
// standard output (errors of use to standard error) and returns the exit status:
// 0 all clean, 1 the driver refused a gate or reported a fault, 2 the command could not run.
#ifndef ZELHOST_COMMANDS_H
#define ZELHOST_COMMANDS_H

#include <string>
#include <vector>

#include "zelstr/host_interface.h"

namespace zelhost {

using Arguments = std::vector<std::string>;

constexpr int kClean = 0;
constexpr int kFindings = 1;
constexpr int kCannotRun = 2;

int CheckCommand(const Arguments& arguments, ZelMainFunction zelMain);
int RunCommand(const Arguments& arguments, ZelMainFunction zelMain);
int SwapsCommand(const Arguments& arguments, ZelMainFunction zelMain);

// Reads a whole decimal number within [low, high]; false on anything else.
bool ParseNumber(const std::string& text, long long low, long long high, long long& value);

// "[8]  text" or "[32] text": a driver message with its class.
std::string ShowMessage(int32_t messageClass, const std::string& text);

}  // namespace zelhost

#endif
