// A fresh private directory for INT files, removed with everything in it at the end.
#ifndef ZELHOST_SCRATCH_DIRECTORY_H
#define ZELHOST_SCRATCH_DIRECTORY_H

#include <filesystem>

namespace zelhost {

class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace zelhost

#endif
