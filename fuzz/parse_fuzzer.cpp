// SingleParse with address strings of any bytes and length and every width from 0 to 31.
// Input: width byte, control byte (gate type, answer of the target), counter byte, then the
// address string. Checks: result 0 or 1; one class-8 message on 1 and none on 0; nothing
// written outside the five fields; the counter and the fields as the refusal rules say; the
// target asked exactly when every check passed, with the cut address part and element count.
#include <cstring>

#include "fuzz_host.h"

namespace {

constexpr uint32_t kAnswers[] = {0, 0, 0, 0, 1, 2, 3, 4, 7, 65535, 0x10000, 0x10001};
constexpr uint8_t kPattern = 0xA5;

std::string ExpectedPart(const std::string& address, int32_t width) {
  std::string part = address.substr(0, std::min<std::size_t>(address.size(), 255));
  if (part.size() < static_cast<std::size_t>(width)) return part;
  part.resize(static_cast<std::size_t>(width));
  while (!part.empty() && part.back() == ' ') part.pop_back();
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int32_t width = data[0] % 32;
  const uint8_t control = data[1];
  const uint16_t counter = data[2] == 0xFF ? 65535 : data[2];
  const std::string address(reinterpret_cast<const char*>(data + 3), size - 3);

  fuzzhost::StartQuietHost();
  const uint32_t answer = kAnswers[(control & 0x7F) % (sizeof(kAnswers) / sizeof(kAnswers[0]))];
  for (uint32_t target = 0; target < 16; ++target) OrlSimInstall(target, 1, 1);
  for (uint32_t target = 0; target < 16 && answer != 0; ++target) {
    OrlSimInject(ORL_SIM_PARSE, target, answer, 0);
  }

  DriverInstance instance{};
  instance.gasLength = width;
  instance.gateCount = counter;
  unsigned char record[sizeof(GateDefinition) + 32];
  std::memset(record, kPattern, sizeof(record));
  GateDefinition* gate = reinterpret_cast<GateDefinition*>(record);
  gate->addressString = address.c_str();  // stops at the first NUL, as the host's string does
  const bool stringGate = (control & 0x80) == 0;
  gate->gateType = stringGate ? ZEL_GATE_TYPE_STRING : static_cast<int32_t>(control);
  unsigned char before[sizeof(record)];
  std::memcpy(before, record, sizeof(record));

  const int32_t result = fuzzhost::Call(&instance, 3, 2, gate);
  const std::vector<fuzzhost::Message> messages = fuzzhost::TakeMessages();
  FUZZ_CHECK(result == 0 || result == 1);
  FUZZ_CHECK(messages.size() == (result == 1 ? 1u : 0u));
  if (result == 1) {
    FUZZ_CHECK(messages[0].messageClass == ZEL_CLASS_INFO);
    FUZZ_CHECK(fuzzhost::StartsWith(messages[0].text, "ZELSTR> SingleParse() "));
  }

  // Only targetNumber, sizeWord, gateNumber and the words at +28 and +32 may change.
  const std::size_t first = offsetof(GateDefinition, targetNumber);
  const std::size_t last = offsetof(GateDefinition, word32) + sizeof(uint32_t);
  for (std::size_t i = 0; i < sizeof(record); ++i) {
    if (i < first || i >= last) FUZZ_CHECK(record[i] == before[i]);
  }
  if (!stringGate) {
    FUZZ_CHECK(std::memcmp(record, before, sizeof(record)) == 0);
    FUZZ_CHECK(instance.gateCount == counter);
    FUZZ_CHECK(OrlSimCallCount() == 0);
    return 0;
  }
  FUZZ_CHECK(instance.gateCount == static_cast<uint16_t>(counter + 1));
  FUZZ_CHECK(gate->gateNumber == counter);
  FUZZ_CHECK(gate->word28 == 0xFFFFFFFFu && gate->word32 == 0);

  uint32_t untouched;
  std::memset(&untouched, kPattern, sizeof(untouched));
  const std::string text = result == 1 ? messages[0].text : "";
  const bool beforeTarget = fuzzhost::StartsWith(text, "ZELSTR> SingleParse() illegal length") ||
                            fuzzhost::StartsWith(text, "ZELSTR> SingleParse() illegal ZEL number");
  const bool beforeSize = fuzzhost::StartsWith(text, "ZELSTR> SingleParse() illegal string length");
  const bool beforeElement = fuzzhost::StartsWith(text, "ZELSTR> SingleParse() illegal # bytes") ||
                             fuzzhost::StartsWith(text, "ZELSTR> SingleParse() strlen must be");
  const bool asked = !beforeTarget && !beforeSize && !beforeElement;
  if (beforeTarget) {
    FUZZ_CHECK(gate->targetNumber == untouched && gate->sizeWord == untouched);
  } else {
    FUZZ_CHECK(gate->targetNumber <= 15);
  }
  if (beforeSize) FUZZ_CHECK(gate->sizeWord == untouched);
  if (beforeElement) FUZZ_CHECK(gate->sizeWord <= 80);
  FUZZ_CHECK(OrlSimCallCount() == (asked ? 1u : 0u));
  if (!asked) return 0;

  const uint32_t length = gate->sizeWord & 0xFFFFu;
  const uint32_t elementSize = gate->sizeWord >> 16;
  FUZZ_CHECK(elementSize == 1 || elementSize == 2 || elementSize == 4);
  FUZZ_CHECK(length <= 80 && length % elementSize == 0);
  FUZZ_CHECK(std::strlen(address.c_str()) == static_cast<std::size_t>(width) + 5);
  const OrlSimCall* call = OrlSimCallAt(0);
  FUZZ_CHECK(call->kind == ORL_SIM_PARSE && call->mode == 0);
  FUZZ_CHECK(call->target == gate->targetNumber && call->count == length / elementSize);
  FUZZ_CHECK(std::string(call->address) == ExpectedPart(address.c_str(), width));
  FUZZ_CHECK((result == 0) == ((answer & 0xFFFFu) == 0));
  return 0;
}
