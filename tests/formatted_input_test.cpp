// The number reading behind the INT file and the address columns: white space, signs that
// count toward the width, run-on, and numbers too large for 32 bits.
#include <gtest/gtest.h>

#include "common/formatted_input.h"

namespace {

struct Case {
  const char* id;
  const char* text;
  int width;
  bool read;
  uint32_t value;
  int consumed;  // characters taken when read
};

constexpr Case kUnsignedCases[] = {
    {"two digits", "0320", 2, true, 3, 2},
    {"width one", "47", 1, true, 4, 1},
    {"blanks do not count", "  12x", 2, true, 12, 4},
    {"all white space kinds", " \t\n\v\f\r7", 2, true, 7, 7},
    {"plus counts toward width", "+56", 2, true, 5, 2},
    {"minus zero", "-0", 2, true, 0, 2},
    {"minus one wraps", "-1", 2, true, 0xFFFFFFFFu, 2},
    {"sign alone", "+", 2, false, 0, 0},
    {"sign before a blank", "- 1", 2, false, 0, 0},
    {"letter", "x1", 2, false, 0, 0},
    {"empty", "", 2, false, 0, 0},
    {"no width", "123456", 0, true, 123456, 6},
    {"largest", "4294967295", 0, true, 4294967295u, 10},
    {"beyond 32 bits saturates", "4294967296", 0, true, 0xFFFFFFFFu, 10},
    {"far beyond 32 bits", "99999999999999999999", 0, true, 0xFFFFFFFFu, 20},
    {"negative beyond 32 bits saturates", "-4294967296", 0, true, 0xFFFFFFFFu, 11},
};

TEST(FormattedInputTest, ReadsUnsignedAsFormattedInputDoes) {
  for (const Case& c : kUnsignedCases) {
    SCOPED_TRACE(c.id);
    const char* cursor = c.text;
    uint32_t value = 0;
    ASSERT_EQ(zelstr::ReadUnsigned(cursor, c.width, value), c.read);
    if (!c.read) continue;
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(cursor - c.text, c.consumed);
  }
}

TEST(FormattedInputTest, ReadsSignedWithinTwoCharacters) {
  struct SignedCase {
    const char* text;
    bool read;
    int32_t value;
  } const cases[] = {{"12", true, 12}, {"123", true, 12}, {"-1", true, -1}, {"-12", true, -1},
                     {"+9", true, 9},  {" 9", true, 9},   {"-", false, 0},  {"ab", false, 0}};
  for (const SignedCase& c : cases) {
    SCOPED_TRACE(c.text);
    const char* cursor = c.text;
    int32_t value = 0;
    ASSERT_EQ(zelstr::ReadSigned(cursor, 2, value), c.read);
    if (c.read) {
      EXPECT_EQ(value, c.value);
    }
  }
}

}  // namespace
