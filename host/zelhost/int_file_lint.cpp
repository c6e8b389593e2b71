// Walks the INT file's pieces as the driver does and remembers where each setting was made.
#include "zelhost/int_file_lint.h"

#include <cstdio>
#include <cstring>

#include "common/formatted_input.h"
#include "config/text_reader.h"

namespace zelhost {

IntFileFacts LintIntFile(const std::filesystem::path& path, const std::string& name) {
  IntFileFacts facts;
  std::FILE* file = std::fopen(path.string().c_str(), "rb");
  if (file == nullptr) return facts;
  zelstr::TextReader reader;
  zelstr::StartReading(reader, file);
  char piece[zelstr::kPieceSize];
  uint16_t line = 0;
  unsigned widthLine = 0;
  std::map<unsigned, unsigned> entryLine;
  const std::string where = name + " line ";
  while (zelstr::ReadPiece(reader, piece)) {
    ++line;
    const std::string at = where + std::to_string(line);
    if (std::strncmp(piece, "GASLENGTH=", 10) == 0) {
      const char* cursor = piece + 10;
      int32_t width = 0;
      if (zelstr::ReadSigned(cursor, 2, width) && width >= 0 && width <= 31) {
        if (widthLine != 0) {
          facts.warnings.push_back(at + ": GASLENGTH set again (first on line " +
                                   std::to_string(widthLine) + "); the later wins");
        }
        widthLine = line;
      }
      continue;
    }
    const char* cursor = piece;
    uint32_t target = 0;
    uint32_t code = 0;
    if (!zelstr::ReadUnsigned(cursor, zelstr::kNoWidth, target)) continue;
    zelstr::SkipSpace(cursor);
    if (*cursor++ != '=') continue;
    if (!zelstr::ReadUnsigned(cursor, zelstr::kNoWidth, code) || target > 17 || code > 3) continue;
    const auto earlier = entryLine.find(target);
    if (earlier != entryLine.end()) {
      facts.warnings.push_back(at + ": ZEL" + std::to_string(target) +
                               " set again (first on line " + std::to_string(earlier->second) +
                               "); the later wins");
    }
    if (target >= 16) {
      facts.warnings.push_back(at + ": swap entry for ZEL" + std::to_string(target) +
                               ", which no gate address can name (00 to 15)");
    }
    entryLine[target] = line;
    facts.swapEntries[target] = code;
  }
  std::fclose(file);
  return facts;
}

}  // namespace zelhost
