// ColdStart with INT files of any bytes (NUL, CR, 0x1A, very long lines), in a private
// working directory. Checks: result 0 for own number 2; gasLength 0 to 31; gateCount 0; every
// swap entry either as before or a code 0 to 3; nothing outside the record written; the build
// stamp first, then only class-32 line messages, with line numbers the file can have.
#include <cstring>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "fuzz_host.h"

namespace {

constexpr uint8_t kUnset = 0xEE;  // no INT file can store this code

unsigned LineOf(const std::string& text) {
  const std::size_t at = text.find("line ");
  FUZZ_CHECK(at != std::string::npos);
  return static_cast<unsigned>(std::strtoul(text.c_str() + at + 5, nullptr, 10));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() / ("zelstr-int-fuzz-" + std::to_string(::getpid()));
  std::filesystem::create_directories(directory);
  std::filesystem::current_path(directory);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream file("ZELSTR.INT", std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  fuzzhost::StartQuietHost();
  unsigned char record[sizeof(DriverInstance) + 32];
  std::memset(record, 0x5A, sizeof(record));
  DriverInstance* instance = reinterpret_cast<DriverInstance*>(record + 16);
  std::memset(instance->swapTable, kUnset, sizeof(instance->swapTable));
  instance->gateCount = 1234;
  instance->gasLength = -77;
  unsigned char before[sizeof(record)];
  std::memcpy(before, record, sizeof(record));

  FUZZ_CHECK(fuzzhost::Call(instance, 1, 2, nullptr) == 0);
  FUZZ_CHECK(instance->gateCount == 0);
  FUZZ_CHECK(instance->gasLength >= 0 && instance->gasLength <= 31);
  for (uint8_t code : instance->swapTable) FUZZ_CHECK(code == kUnset || code <= 3);
  for (std::size_t i = 0; i < 16; ++i) FUZZ_CHECK(record[i] == before[i]);
  for (std::size_t i = 16 + sizeof(DriverInstance); i < sizeof(record); ++i) {
    FUZZ_CHECK(record[i] == before[i]);
  }

  const std::vector<fuzzhost::Message> messages = fuzzhost::TakeMessages();
  FUZZ_CHECK(!messages.empty());
  FUZZ_CHECK(messages[0].messageClass == ZEL_CLASS_INFO);
  FUZZ_CHECK(fuzzhost::StartsWith(messages[0].text, "ZELSTR> version compiled on "));
  const std::size_t pieces = size + 1;  // a piece holds at least one byte
  FUZZ_CHECK(messages.size() - 1 <= 2 * pieces);
  for (std::size_t i = 1; i < messages.size(); ++i) {
    FUZZ_CHECK(messages[i].messageClass == ZEL_CLASS_FAULT);
    FUZZ_CHECK(fuzzhost::StartsWith(messages[i].text, "ZELSTR> ReadIntFile() "));
    const unsigned line = LineOf(messages[i].text);
    FUZZ_CHECK(line <= 65535 && (pieces > 65535 || (line >= 1 && line <= pieces)));
    if (fuzzhost::StartsWith(messages[i].text, "ZELSTR> ReadIntFile() illegal line ")) {
      const std::string name = " in 'ZELSTR.INT'";
      const std::string& text = messages[i].text;
      FUZZ_CHECK(text.size() > name.size() &&
                 text.compare(text.size() - name.size(), name.size(), name) == 0);
    }
  }
  return 0;
}
