// SwapBytes and SwapWords, defined on bytes: no wider loads, no alignment assumed.
#include "gates/byte_order.h"

#include <cstddef>

namespace zelstr {
namespace {

constexpr std::size_t kSwapLimit = 80;

}  // namespace

void SwapBytes(char* buffer) {
  for (std::size_t at = 0; at < kSwapLimit; at += 2) {
    const char first = buffer[at];
    const char second = buffer[at + 1];
    buffer[at] = second;
    buffer[at + 1] = first;
    if (first == '\0' || second == '\0') return;
  }
}

void SwapWords(char* buffer) {
  for (std::size_t at = 0; at < kSwapLimit; at += 4) {
    const char p = buffer[at];
    const char q = buffer[at + 1];
    const char r = buffer[at + 2];
    const char s = buffer[at + 3];
    buffer[at] = r;
    buffer[at + 1] = s;
    buffer[at + 2] = p;
    buffer[at + 3] = q;
    if (p == '\0' || q == '\0' || r == '\0' || s == '\0') return;
  }
}

}  // namespace zelstr
