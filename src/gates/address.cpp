// Cutting the address part out of a gate address string, within fixed 256-character buffers.
#include "gates/address.h"

namespace zelstr {

bool CopyAddressString(const char* source, char (&destination)[kAddressBufferSize],
                       std::size_t& length) {
  length = 0;
  while (length < kAddressBufferSize - 1 && source[length] != '\0') {
    destination[length] = source[length];
    ++length;
  }
  destination[length] = '\0';
  return source[length] == '\0';
}

void ExtractAddress(const char* source, char (&destination)[kAddressBufferSize], int32_t width) {
  std::size_t length = 0;
  CopyAddressString(source, destination, length);
  if (width < 0) width = 0;
  const std::size_t cut = static_cast<std::size_t>(width);
  if (length < cut) return;
  destination[cut] = '\0';
  for (std::size_t at = cut; at > 0 && destination[at - 1] == ' '; --at) {
    destination[at - 1] = '\0';
  }
}

}  // namespace zelstr
