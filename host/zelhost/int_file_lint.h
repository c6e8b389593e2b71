// zelhost's own reading of an INT file, for warnings the driver does not give: a width or a
// target's swap code set twice, and swap entries for targets that no gate can name. It reads
// the file with the driver's own text reader and number reading, so it sees the same lines.
#ifndef ZELHOST_INT_FILE_LINT_H
#define ZELHOST_INT_FILE_LINT_H

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zelhost {

struct IntFileFacts {
  std::map<unsigned, unsigned> swapEntries;  // target -> code, the last valid entry
  std::vector<std::string> warnings;
};

IntFileFacts LintIntFile(const std::filesystem::path& path, const std::string& name);

}  // namespace zelhost

#endif
