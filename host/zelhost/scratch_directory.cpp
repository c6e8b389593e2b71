// Scratch directories under the system's temporary directory.
#include "zelhost/scratch_directory.h"

#include <chrono>
#include <string>

namespace zelhost {

ScratchDirectory::ScratchDirectory() {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0;; ++attempt) {
    path_ = std::filesystem::temp_directory_path() /
            ("zelhost-" + std::to_string(stamp) + "-" + std::to_string(attempt));
    if (std::filesystem::create_directory(path_)) break;
  }
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace zelhost
