// SingleParse: numbers a string gate, checks and decodes its address string, stores the
// target number and size word in the gate's record and lets the target driver judge the
// address part. The checks run in a fixed order and the first that fails is reported.
#include "common/formatted_input.h"
#include "entry/handlers.h"
#include "gates/address.h"

namespace zelstr {
namespace {

constexpr int32_t kTrailerColumns = 5;  // target number 2, string length 2, element size 1
constexpr int kTwoDigits = 2;
constexpr int kOneDigit = 1;
constexpr uint32_t kWord28 = 0xFFFFFFFFu;
constexpr uint32_t kWord32 = 0;

constexpr char kNotString[] = "ZELSTR> SingleParse() gate type should be STRING";
constexpr char kBadLength[] = "ZELSTR> SingleParse() illegal length addr. string '%s'";
constexpr char kBadTarget[] = "ZELSTR> SingleParse() illegal ZEL number in '%s'";
constexpr char kBadStringLength[] = "ZELSTR> SingleParse() illegal string length in '%s'";
constexpr char kBadElementSize[] = "ZELSTR> SingleParse() illegal # bytes of memtype in '%s'";
constexpr char kNotMultiple[] = "ZELSTR> SingleParse() strlen must be * of # bytes in '%s'";
constexpr char kParseError[] = "ZELSTR> SingleParse() '%s' parse error on ZEL%u";
constexpr char kNotInstalled[] = "ZELSTR> SingleParse() ZEL%u not installed";
constexpr char kParseResult[] = "ZELSTR> SingleParse() Orl5ParseBlock() rc %u";

constexpr uint32_t kParseAccepted = 0;
constexpr uint32_t kParseRejected = 1;
constexpr uint32_t kParseNotInstalled = 3;

int32_t Refuse(const char* message, const char* quoted) {
  err(ZEL_CLASS_INFO, message, quoted);
  return 1;
}

// Reads a field with "%02u" or "%1u" starting at column; the number may run on into the
// columns after it, as formatted input does.
bool ReadField(const char* work, int32_t column, int width, uint32_t& value) {
  const char* cursor = work + column;
  return ReadUnsigned(cursor, width, value);
}

}  // namespace

int32_t SingleParse(const DriverRequest* request) {
  GateDefinition& gate = *static_cast<GateDefinition*>(request->subject);
  DriverInstance& instance = *request->instance;
  const int32_t gasLength = instance.gasLength;

  if (gate.gateType != ZEL_GATE_TYPE_STRING) {
    err(ZEL_CLASS_INFO, kNotString);
    return 1;
  }
  gate.word28 = kWord28;
  gate.word32 = kWord32;
  gate.gateNumber = instance.gateCount;
  instance.gateCount = static_cast<uint16_t>(instance.gateCount + 1u);

  char work[kAddressBufferSize];
  const std::size_t length = CopyAddressString(gate.addressString, work);
  // A width outside 0 to 31 only comes from a record that no cold start prepared; no string
  // has a length to match it, so the column reads below stay inside the working copy.
  if (gasLength < 0 || gasLength > kMaxGasLength ||
      length != static_cast<std::size_t>(gasLength + kTrailerColumns)) {
    return Refuse(kBadLength, work);
  }

  uint32_t target = 0;
  if (!ReadField(work, gasLength, kTwoDigits, target) || target > kMaxTargetNumber) {
    return Refuse(kBadTarget, work);
  }
  gate.targetNumber = target;

  uint32_t stringLength = 0;
  if (!ReadField(work, gasLength + 2, kTwoDigits, stringLength) ||
      stringLength > kMaxStringLength) {
    return Refuse(kBadStringLength, work);
  }
  gate.sizeWord = stringLength;

  uint32_t elementSize = 0;
  if (!ReadField(work, gasLength + 4, kOneDigit, elementSize) || !IsElementSize(elementSize)) {
    return Refuse(kBadElementSize, work);
  }
  if (stringLength % elementSize != 0) return Refuse(kNotMultiple, work);
  gate.sizeWord = MakeSizeWord(stringLength, elementSize);

  char part[kAddressBufferSize];
  ExtractAddress(work, part, gasLength);
  const uint32_t result =
      OrlParseBlock(0, static_cast<uint8_t>(target), part, stringLength / elementSize) & 0xFFFFu;
  switch (result) {
    case kParseAccepted:
      return 0;
    case kParseRejected:
      err(ZEL_CLASS_INFO, kParseError, part, unsigned{target});
      return 1;
    case kParseNotInstalled:
      err(ZEL_CLASS_INFO, kNotInstalled, unsigned{target});
      return 1;
    default:
      err(ZEL_CLASS_INFO, kParseResult, unsigned{result});
      return 1;
  }
}

}  // namespace zelstr
