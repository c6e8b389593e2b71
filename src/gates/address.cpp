// Cutting the address part out of a gate address string, within fixed 256-character buffers.
#include "gates/address.h"

#include <cstring>

namespace zelstr {
namespace {

constexpr std::size_t kMaxCopy = kAddressBufferSize - 1;

}  // namespace

std::size_t CopyAddressString(const char* source, char (&destination)[kAddressBufferSize]) {
  const std::size_t length = std::strlen(source);
  const std::size_t taken = length < kMaxCopy ? length : kMaxCopy;
  std::memcpy(destination, source, taken);
  destination[taken] = '\0';
  return length;
}

void ExtractAddress(const char* source, char (&destination)[kAddressBufferSize], int32_t width) {
  CutAddressPart(source, std::strlen(source), destination, width);
}

void CutAddressPart(const char* source, std::size_t length,
                    char (&destination)[kAddressBufferSize], int32_t width) {
  const std::size_t taken = length < kMaxCopy ? length : kMaxCopy;
  const std::size_t cut = width < 0 ? 0 : static_cast<std::size_t>(width);
  if (taken < cut) {  // shorter than the width: unchanged, blanks at its end included
    std::memcpy(destination, source, taken);
    destination[taken] = '\0';
    return;
  }
  std::size_t end = cut;
  while (end > 0 && source[end - 1] == ' ') --end;
  std::memcpy(destination, source, end);
  destination[end] = '\0';
}

}  // namespace zelstr
