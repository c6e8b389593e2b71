// Finding, reading and applying the INT file. A line like "GASLENGTH=12" sets the width of
// the address part; a line like "3 = 1" sets the swap code of target 3; an empty line or one
// that starts with "*" is ignored; anything else is reported with its line number.
#include "config/int_file.h"

#include <cstring>

#include "common/formatted_input.h"
#include "config/text_reader.h"
#include "gates/address.h"

namespace zelstr {
namespace {

constexpr char kShortName[] = "STR";
constexpr const char* kNameFormats[] = {"ZEL%s%02u.INT", "ZEL%s%01u.INT", "ZEL%s.INT"};

constexpr char kWidthKey[] = "GASLENGTH=";
constexpr std::size_t kWidthKeyLength = sizeof(kWidthKey) - 1;
constexpr int kWidthDigits = 2;
constexpr uint32_t kMaxSwapTarget = ZEL_SWAP_ENTRIES - 1;
constexpr uint32_t kMaxSwapCode = 3;

constexpr char kNoInitFile[] = "ZELSTR> ColdStart() Info, no initfile found";
constexpr char kIllegalGasLength[] = "ZELSTR> ReadIntFile() illegal GAS length, line %u";
constexpr char kIllegalSwapTarget[] = "ZELSTR> ReadIntFile() illegal ZEL number, line %u";
constexpr char kIllegalSwapCode[] = "ZELSTR> ReadIntFile() swap number, line %u";
constexpr char kIllegalLine[] = "ZELSTR> ReadIntFile() illegal line %u in '%s'";

void ApplyWidth(DriverInstance& instance, const char* text, uint16_t line) {
  int32_t width = 0;
  if (ReadSigned(text, kWidthDigits, width) && width >= 0 && width <= kMaxGasLength) {
    instance.gasLength = width;
  } else {
    err(ZEL_CLASS_FAULT, kIllegalGasLength, unsigned{line});
  }
}

// "%u = %u": true when both numbers were read.
bool ReadSwapEntry(const char* text, uint32_t& target, uint32_t& code) {
  if (!ReadUnsigned(text, kNoWidth, target)) return false;
  SkipSpace(text);
  if (*text != '=') return false;
  ++text;
  return ReadUnsigned(text, kNoWidth, code);
}

void ApplySwapEntry(DriverInstance& instance, uint32_t target, uint32_t code, uint16_t line) {
  const bool targetBad = target > kMaxSwapTarget;
  const bool codeBad = code > kMaxSwapCode;
  if (targetBad) err(ZEL_CLASS_FAULT, kIllegalSwapTarget, unsigned{line});
  if (codeBad) err(ZEL_CLASS_FAULT, kIllegalSwapCode, unsigned{line});
  if (!targetBad && !codeBad) instance.swapTable[target] = static_cast<uint8_t>(code);
}

void ApplyPiece(DriverInstance& instance, const char* piece, uint16_t line, const char* name) {
  if (std::strncmp(piece, kWidthKey, kWidthKeyLength) == 0) {
    ApplyWidth(instance, piece + kWidthKeyLength, line);
    return;
  }
  uint32_t target = 0;
  uint32_t code = 0;
  if (ReadSwapEntry(piece, target, code)) {
    ApplySwapEntry(instance, target, code, line);
    return;
  }
  if (piece[0] == '\n' || piece[0] == '*') return;
  err(ZEL_CLASS_FAULT, kIllegalLine, unsigned{line}, name);
}

}  // namespace

std::FILE* OpenIntFile(const char* shortName, char (&name)[kIntFileNameSize], int32_t ownNumber) {
  const unsigned number = static_cast<uint32_t>(ownNumber);
  for (const char* format : kNameFormats) {
    const int length = std::snprintf(name, sizeof(name), format, shortName, number);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof(name)) continue;
    std::FILE* file = std::fopen(name, "rb");  // text translation is our own
    if (file != nullptr) return file;
  }
  return nullptr;
}

void ReadIntFile(const DriverRequest* request) {
  DriverInstance& instance = *request->instance;
  uint16_t line = 0;
  instance.gasLength = kDefaultGasLength;

  char name[kIntFileNameSize];
  std::FILE* file = OpenIntFile(kShortName, name, request->ownNumber);
  if (file == nullptr) {
    err(ZEL_CLASS_INFO, kNoInitFile);
    return;
  }
  TextReader reader;
  StartReading(reader, file);
  char piece[kPieceSize];
  while (ReadPiece(reader, piece)) {
    ++line;
    ApplyPiece(instance, piece, line, name);
  }
  std::fclose(file);
}

}  // namespace zelstr
