// The platform's own loader: LoadLibrary and GetProcAddress on Windows, dlopen and dlsym
// elsewhere. The library stays loaded until the program ends, as in the host.
#include "zelhost/driver_loader.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace zelhost {
namespace {

#if defined(_WIN32)
constexpr char kLibraryName[] = "ZELSTR.dll";
#else
constexpr char kLibraryName[] = "libzelstr.so";
#endif

std::filesystem::path ProgramDirectory() {
#if defined(_WIN32)
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return {};
  return std::filesystem::path(path).parent_path();
#else
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self.parent_path();
#endif
}

}  // namespace

std::string DefaultLibraryPath() { return (ProgramDirectory() / kLibraryName).string(); }

LoadedDriver LoadDriver(const std::string& path) {
  LoadedDriver loaded;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    loaded.error = "no driver library at '" + path + "' (give its path with --library)";
    return loaded;
  }
#if defined(_WIN32)
  HMODULE library = LoadLibraryA(path.c_str());
  if (library == nullptr) {
    loaded.error = "cannot load '" + path + "' (error " + std::to_string(GetLastError()) + ")";
    return loaded;
  }
  loaded.zelMain = reinterpret_cast<ZelMainFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "ZelMain")));
#else
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    loaded.error = "cannot load '" + path + "': " + dlerror();
    return loaded;
  }
  loaded.zelMain = reinterpret_cast<ZelMainFunction>(dlsym(library, "ZelMain"));
#endif
  if (loaded.zelMain == nullptr) loaded.error = "'" + path + "' has no export ZelMain";
  return loaded;
}

}  // namespace zelhost
