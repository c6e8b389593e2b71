// SingleRead and SingleWrite with any buffer contents, any data from the target, any element
// size and swap code, and any out-of-contract size word, target number or width. Input: size
// word, target number, width, control byte, 18 swap codes, 81 buffer bytes, 80 target bytes,
// then the address string. Checks: result 0 or 1 with one message exactly on 1; no byte of the
// GateAccess or the instance changes; a write gives the buffer back byte for byte; a read
// touches nothing past offset 80 and ends the string at its length; words that SingleParse
// never stores are refused without a block call.
#include <cstring>

#include "fuzz_host.h"

namespace {

constexpr uint32_t kAnswers[] = {0, 0, 0, 0, 1, 2, 3, 7, 9, 65535, 0x10000, 0x20007};
constexpr std::size_t kGuard = 32;

uint32_t Word(const uint8_t* data) {
  return uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
         uint32_t{data[3]} << 24;
}

std::string AddressPart(const char* address, int32_t width) {
  std::string part(address, std::min<std::size_t>(std::strlen(address), 255));
  const std::size_t cut = width < 0 ? 0 : static_cast<std::size_t>(width);
  if (part.size() < cut) return part;
  part.resize(cut);
  while (!part.empty() && part.back() == ' ') part.pop_back();
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr std::size_t kHeader = 4 + 4 + 1 + 1 + 18 + ZEL_VALUE_BUFFER_SIZE + 80;
  if (size < kHeader) return 0;
  uint32_t sizeWord = Word(data);
  uint32_t targetNumber = Word(data + 4);
  const int32_t width = static_cast<int8_t>(data[8]);
  const uint8_t control = data[9];
  if (control & 0x40) {  // most runs keep to words that SingleParse can store
    sizeWord = (uint32_t{1} << ((sizeWord >> 16) % 3)) << 16 | ((sizeWord & 0xFFFF) % 81);
    sizeWord &= ~((sizeWord >> 16) - 1);  // a multiple of the element size
    targetNumber %= 16;
  }
  const bool write = (control & 0x80) != 0;
  const uint32_t answer = kAnswers[(control & 0x3F) % (sizeof(kAnswers) / sizeof(kAnswers[0]))];
  const uint8_t* swapCodes = data + 10;
  const uint8_t* bufferBytes = swapCodes + 18;
  const uint8_t* targetBytes = bufferBytes + ZEL_VALUE_BUFFER_SIZE;
  const std::string address(reinterpret_cast<const char*>(data + kHeader), size - kHeader);

  fuzzhost::StartQuietHost();
  const uint8_t targetByte = static_cast<uint8_t>(targetNumber);
  const uint32_t targetSize = uint32_t{1} << (control % 3);
  OrlSimInstall(targetByte, targetSize, 0);
  const std::string part = AddressPart(address.c_str(), width);
  if (!part.empty() && part.size() < ORL_SIM_AREA_NAME) {
    uint8_t* memory = OrlSimAddArea(targetByte, part.c_str(), 80);
    if (memory != nullptr) std::memcpy(memory, targetBytes, 80);
  }
  if (answer != 0) OrlSimInject(ORL_SIM_ANY_CALL, targetByte, answer, 0);

  DriverInstance instance{};
  std::memcpy(instance.swapTable, swapCodes, sizeof(instance.swapTable));
  instance.gasLength = width;
  const DriverInstance instanceBefore = instance;
  char buffer[ZEL_VALUE_BUFFER_SIZE + kGuard];
  std::memcpy(buffer, bufferBytes, ZEL_VALUE_BUFFER_SIZE);
  std::memset(buffer + ZEL_VALUE_BUFFER_SIZE, 0x3C, kGuard);
  char bufferBefore[sizeof(buffer)];
  std::memcpy(bufferBefore, buffer, sizeof(buffer));
  GateAccess access;
  std::memset(&access, 0x77, sizeof(access));
  access.addressString = address.c_str();
  access.targetNumber = targetNumber;
  access.sizeWord = sizeWord;
  access.valueBuffer = buffer;
  GateAccess accessBefore;
  std::memcpy(&accessBefore, &access, sizeof(access));

  const int32_t result = fuzzhost::Call(&instance, write ? 7 : 5, 2, &access);
  const std::vector<fuzzhost::Message> messages = fuzzhost::TakeMessages();
  FUZZ_CHECK(result == 0 || result == 1);
  FUZZ_CHECK(messages.size() == (result == 1 ? 1u : 0u));
  if (result == 1) {
    FUZZ_CHECK(messages[0].messageClass == ZEL_CLASS_INFO);
    FUZZ_CHECK(fuzzhost::StartsWith(messages[0].text, write ? "ZELSTR> SingleWrite() "
                                                            : "ZELSTR> SingleRead() "));
  }
  FUZZ_CHECK(std::memcmp(&access, &accessBefore, sizeof(access)) == 0);
  FUZZ_CHECK(std::memcmp(&instance, &instanceBefore, sizeof(instance)) == 0);

  const uint32_t length = sizeWord & 0xFFFFu;
  const uint32_t elementSize = sizeWord >> 16;
  const bool legal = (elementSize == 1 || elementSize == 2 || elementSize == 4) &&
                     length <= 80 && length % elementSize == 0 && targetNumber < 18 &&
                     std::strlen(address.c_str()) < 256;
  FUZZ_CHECK(OrlSimCallCount() == (legal ? 1u : 0u));
  if (!legal) {
    FUZZ_CHECK(result == 1);
    FUZZ_CHECK(std::memcmp(buffer, bufferBefore, sizeof(buffer)) == 0);
    return 0;
  }
  if (write) {
    FUZZ_CHECK(std::memcmp(buffer, bufferBefore, sizeof(buffer)) == 0);
  } else {
    FUZZ_CHECK(std::memcmp(buffer + ZEL_VALUE_BUFFER_SIZE, bufferBefore + ZEL_VALUE_BUFFER_SIZE,
                           kGuard) == 0);
    if (result == 0) FUZZ_CHECK(buffer[length] == '\0');
    if (result == 1) FUZZ_CHECK(std::memcmp(buffer, bufferBefore, sizeof(buffer)) == 0);
  }
  return 0;
}
