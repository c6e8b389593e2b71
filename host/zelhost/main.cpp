// zelhost: the host, offline. Loads the driver library by name as the host does and runs one
// command against it with simulated target drivers.
#include <exception>
#include <iostream>
#include <string>

#include "zelhost/commands.h"
#include "zelhost/driver_loader.h"

namespace {

constexpr char kHelp[] =
    "zelhost: runs the string-gate driver as the host does, without the plant.\n"
    "\n"
    "usage: zelhost [--library PATH] COMMAND ...\n"
    "\n"
    "  check [--dir DIR] [--own N] [--gates FILE] [--uninstalled N]... [--reject N]...\n"
    "        [ADDRESS...]\n"
    "      cold-start an instance with the INT files of DIR (default: here) and own number N\n"
    "      (default 2), parse each gate address string (arguments, or one per line of FILE)\n"
    "      and show what the driver makes of it. Simulated targets 0 to 15 accept every\n"
    "      address, except those given as --uninstalled or --reject.\n"
    "  run SCENARIO\n"
    "      run a scenario file (see docs/scenario.md): simulated targets, INT files, cold\n"
    "      start, gates, reads and writes with hex views of both byte orders.\n"
    "  swaps HEX...\n"
    "      given the bytes as a target driver holds them, show the host text under every\n"
    "      element size and swap code, the most readable first.\n"
    "\n"
    "  --library PATH   the driver library (default: the one beside this program)\n"
    "\n"
    "exit status: 0 clean; 1 a gate was refused or a cold-start fault was reported;\n"
    "2 the command could not run (usage, library, scenario error).\n";

}  // namespace

int main(int argc, char** argv) {
  zelhost::Arguments arguments(argv + 1, argv + argc);
  std::string library = zelhost::DefaultLibraryPath();
  while (!arguments.empty() && arguments.front() == "--library") {
    if (arguments.size() < 2) {
      std::cerr << "zelhost: --library needs a path\n";
      return zelhost::kCannotRun;
    }
    library = arguments[1];
    arguments.erase(arguments.begin(), arguments.begin() + 2);
  }
  if (arguments.empty() || arguments.front() == "--help" || arguments.front() == "help" ||
      arguments.front() == "-h") {
    std::cout << kHelp;
    return arguments.empty() ? zelhost::kCannotRun : zelhost::kClean;
  }
  const std::string command = arguments.front();
  arguments.erase(arguments.begin());
  int (*run)(const zelhost::Arguments&, ZelMainFunction) = nullptr;
  if (command == "check") run = zelhost::CheckCommand;
  if (command == "run") run = zelhost::RunCommand;
  if (command == "swaps") run = zelhost::SwapsCommand;
  if (run == nullptr) {
    std::cerr << "zelhost: unknown command '" << command << "' (commands: check, run, swaps;"
              << " see zelhost --help)\n";
    return zelhost::kCannotRun;
  }
  const zelhost::LoadedDriver driver = zelhost::LoadDriver(library);
  if (driver.zelMain == nullptr) {
    std::cerr << "zelhost: " << driver.error << "\n";
    return zelhost::kCannotRun;
  }
  try {
    return run(arguments, driver.zelMain);
  } catch (const std::exception& failure) {  // a file system error, say: reported, no crash
    std::cerr << "zelhost " << command << ": " << failure.what() << "\n";
    return zelhost::kCannotRun;
  }
}
