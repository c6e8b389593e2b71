// Loading the driver library the way the host does: by its file name at run time, then
// ZelMain by its plain name.
#ifndef ZELHOST_DRIVER_LOADER_H
#define ZELHOST_DRIVER_LOADER_H

#include <string>

#include "zelstr/host_interface.h"

namespace zelhost {

struct LoadedDriver {
  ZelMainFunction zelMain = nullptr;  // null when loading failed
  std::string error;                  // why, for the user
};

// The driver library beside this program: libzelstr.so, or ZELSTR.dll on Windows.
std::string DefaultLibraryPath();

LoadedDriver LoadDriver(const std::string& path);

}  // namespace zelhost

#endif
