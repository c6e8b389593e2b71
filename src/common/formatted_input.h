// Reading decimal numbers the way formatted input does ("%u", "%02u", "%02d"), but the same on
// every platform: leading white space is skipped and does not count toward the width, one sign
// may stand before the digits and counts toward it, and digits are taken until the width is
// used up or a non-digit follows.
#ifndef ZELSTR_COMMON_FORMATTED_INPUT_H
#define ZELSTR_COMMON_FORMATTED_INPUT_H

#include <cstdint>

namespace zelstr {

// Width for a conversion without a field width: the number runs to its last digit.
constexpr int kNoWidth = 0;

// True for the white space that formatted input skips: blank, tab, LF, VT, FF and CR.
bool IsFormattedInputSpace(char c);

// Skips white space at *cursor.
void SkipSpace(const char*& cursor);

// "%u" with an optional width. A minus sign negates modulo 2^32 (so "-0" reads 0). A number
// whose digits exceed 32 bits reads as 4294967295 whatever its sign, so it never wraps into a
// small value. On success advances *cursor past what was taken; returns false, with cursor
// unspecified, when no digit was taken.
bool ReadUnsigned(const char*& cursor, int width, uint32_t& value);

// "%d" with a width of at most 9, so that the value always fits.
bool ReadSigned(const char*& cursor, int width, int32_t& value);

}  // namespace zelstr

#endif
