// Decimal conversions with formatted-input rules, independent of the C library's locale and
// of how its strtoul treats overflow.
#include "common/formatted_input.h"

namespace zelstr {
namespace {

struct Magnitude {
  bool negative;
  bool overflow;
  uint32_t value;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool ReadMagnitude(const char*& cursor, int width, Magnitude& out) {
  SkipSpace(cursor);
  int left = width > 0 ? width : -1;  // -1: no limit
  out = Magnitude{false, false, 0};
  if (*cursor == '+' || *cursor == '-') {
    out.negative = *cursor == '-';
    ++cursor;
    if (left > 0) --left;
  }
  bool any = false;
  while (left != 0 && IsDigit(*cursor)) {
    const uint32_t digit = static_cast<uint32_t>(*cursor - '0');
    if (out.value > (UINT32_MAX - digit) / 10u) out.overflow = true;
    out.value = out.value * 10u + digit;
    any = true;
    ++cursor;
    if (left > 0) --left;
  }
  return any;
}

}  // namespace

bool IsFormattedInputSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void SkipSpace(const char*& cursor) {
  while (IsFormattedInputSpace(*cursor)) ++cursor;
}

bool ReadUnsigned(const char*& cursor, int width, uint32_t& value) {
  Magnitude m;
  if (!ReadMagnitude(cursor, width, m)) return false;
  if (m.overflow) {
    value = UINT32_MAX;
  } else {
    value = m.negative ? 0u - m.value : m.value;
  }
  return true;
}

bool ReadSigned(const char*& cursor, int width, int32_t& value) {
  Magnitude m;
  if (!ReadMagnitude(cursor, width, m)) return false;
  const int32_t magnitude = static_cast<int32_t>(m.value);  // at most 9 digits
  value = m.negative ? -magnitude : magnitude;
  return true;
}

}  // namespace zelstr
