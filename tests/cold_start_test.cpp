// ColdStart: which INT file is read, the whole line grammar with its messages, text-mode
// reading, pieces of at most 255 characters, the 16-bit line counter and the own number test.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "host_fixture.h"

namespace {

class ColdStartTest : public HostTest {};

std::string IllegalLine(unsigned line, const std::string& file) {
  return "ZELSTR> ReadIntFile() illegal line " + std::to_string(line) + " in '" + file + "'";
}
std::string IllegalGas(unsigned line) {
  return "ZELSTR> ReadIntFile() illegal GAS length, line " + std::to_string(line);
}
std::string IllegalTarget(unsigned line) {
  return "ZELSTR> ReadIntFile() illegal ZEL number, line " + std::to_string(line);
}
std::string IllegalCode(unsigned line) {
  return "ZELSTR> ReadIntFile() swap number, line " + std::to_string(line);
}
const char kNoInitFile[] = "ZELSTR> ColdStart() Info, no initfile found";
const char kNotLast[] = "ZELSTR> ColdStart() should be last ZEL in list";

struct FileCase {
  const char* id;
  std::vector<std::string> files;  // each holds one illegal line that names it
  int32_t ownNumber;
  const char* fileRead;  // null: none opens
  int32_t result;
};

const FileCase kFileCases[] = {
    {"no file at all", {}, 5, nullptr, 0},
    {"two digits first", {"ZELSTR05.INT", "ZELSTR5.INT", "ZELSTR.INT"}, 5, "ZELSTR05.INT", 0},
    {"one digit second", {"ZELSTR5.INT", "ZELSTR.INT"}, 5, "ZELSTR5.INT", 0},
    {"no number last", {"ZELSTR.INT"}, 5, "ZELSTR.INT", 0},
    {"own number 12", {"ZELSTR12.INT", "ZELSTR.INT"}, 12, "ZELSTR12.INT", 0},
    {"own number of five digits fits", {"ZELSTR99999.INT", "ZELSTR.INT"}, 99999, "ZELSTR99999.INT",
     0},
    // "ZELSTR100000.INT" has 16 characters: it is skipped, never cut to "ZELSTR100000.IN".
    {"own number of six digits is skipped", {"ZELSTR100000.IN", "ZELSTR.INT"}, 100000, "ZELSTR.INT",
     0},
    // -1 formats as 4294967295, too long for the name buffer.
    {"negative own number", {"ZELSTR429496729", "ZELSTR.INT"}, -1, "ZELSTR.INT", 1},
    {"own number 1 is read then refused", {"ZELSTR01.INT"}, 1, "ZELSTR01.INT", 1},
    {"own number 0 is read then refused", {"ZELSTR00.INT"}, 0, "ZELSTR00.INT", 1},
    {"own number 2 passes", {"ZELSTR02.INT"}, 2, "ZELSTR02.INT", 0},
};

TEST_F(ColdStartTest, FindsTheFirstFileOfItsThreeNames) {
  for (const FileCase& c : kFileCases) {
    SCOPED_TRACE(c.id);
    StartCase();
    for (const std::string& name : c.files) WriteFile(name, "GASLENGTH=12\nbad line\n");
    instance_.gateCount = 77;
    instance_.gasLength = 20;
    EXPECT_EQ(ColdStart(c.ownNumber), c.result);
    std::vector<HostMessage> expected;
    if (c.fileRead == nullptr) {
      expected.push_back({8, kNoInitFile});
    } else {
      expected.push_back({32, IllegalLine(2, c.fileRead)});
    }
    if (c.result == 1) expected.push_back({32, kNotLast});
    EXPECT_EQ(MessagesAfterStamp(), expected);
    EXPECT_EQ(instance_.gateCount, 0);
    EXPECT_EQ(instance_.gasLength, c.fileRead == nullptr ? 8 : 12);
  }
}

struct GrammarCase {
  const char* id;
  std::string content;
  int32_t gasLength;
  std::vector<std::pair<int, int>> swaps;  // entries that differ from the preset pattern
  std::vector<HostMessage> messages;
};

// Every entry starts as (n % 4) with entry 3 at 3, so that stores and non-stores both show.
uint8_t Preset(int target) { return static_cast<uint8_t>(target == 3 ? 3 : target % 4); }

const std::string kFile = "ZELSTR.INT";

std::vector<GrammarCase> GrammarCases() {
  std::string wrap(65534, '\n');
  wrap += "X\nX\n";
  return {
      {"empty file", "", 8, {}, {}},
      {"width 12", "GASLENGTH=12\n", 12, {}, {}},
      {"width reads two characters", "GASLENGTH=123\n", 12, {}, {}},
      {"width with leading zero", "GASLENGTH=09\n", 9, {}, {}},
      {"width with plus sign", "GASLENGTH=+9\n", 9, {}, {}},
      {"width after blanks", "GASLENGTH=  9\n", 9, {}, {}},
      {"width after a tab", "GASLENGTH=\t9\n", 9, {}, {}},
      {"width 0 on a last line without LF", "GASLENGTH=0", 0, {}, {}},
      {"width 31", "GASLENGTH=31\n", 31, {}, {}},
      {"width with trailing text", "GASLENGTH=5x\n", 5, {}, {}},
      {"width 32", "GASLENGTH=32\n", 8, {}, {{32, IllegalGas(1)}}},
      {"width -1", "GASLENGTH=-1\n", 8, {}, {{32, IllegalGas(1)}}},
      {"width missing", "GASLENGTH=\n", 8, {}, {{32, IllegalGas(1)}}},
      {"width not a number", "GASLENGTH=ab\n", 8, {}, {{32, IllegalGas(1)}}},
      {"width not at line start", " GASLENGTH=12\n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"width in lower case", "gaslength=12\n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"width with blank before =", "GASLENGTH =12\n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"later width wins", "GASLENGTH=12\nGASLENGTH=20\n", 20, {}, {}},
      {"bad width keeps the earlier",
       "GASLENGTH=12\nGASLENGTH=40\n",
       12,
       {},
       {{32, IllegalGas(2)}}},
      {"swap 3 = 1", "3 = 1\n", 8, {{3, 1}}, {}},
      {"swap 3=1", "3=1\n", 8, {{3, 1}}, {}},
      {"swap 03 = 01", "03 = 01\n", 8, {{3, 1}}, {}},
      {"swap +3 = 1", "+3 = 1\n", 8, {{3, 1}}, {}},
      {"swap with tabs and blanks", " \t3\t= \t1\n", 8, {{3, 1}}, {}},
      {"swap with trailing text", "3 = 1 target three\n", 8, {{3, 1}}, {}},
      {"later swap wins", "5 = 1\n5 = 2\n", 8, {{5, 2}}, {}},
      {"swap 0 removes an exchange", "3 = 0\n", 8, {{3, 0}}, {}},
      {"swap -0 reads 0", "-0 = -0\n", 8, {{0, 0}}, {}},
      {"swap for target 17", "17 = 3\n", 8, {{17, 3}}, {}},
      {"swap target 18", "18 = 1\n", 8, {}, {{32, IllegalTarget(1)}}},
      {"swap target -1", "-1 = 1\n", 8, {}, {{32, IllegalTarget(1)}}},
      {"swap code 4", "3 = 4\n", 8, {}, {{32, IllegalCode(1)}}},
      {"swap target and code bad", "18 = 4\n", 8, {}, {{32, IllegalTarget(1)}, {32, IllegalCode(1)}}},
      {"target beyond 32 bits never wraps", "4294967299 = 1\n", 8, {}, {{32, IllegalTarget(1)}}},
      {"negative target beyond 32 bits", "-4294967296 = 1\n", 8, {}, {{32, IllegalTarget(1)}}},
      {"code beyond 32 bits never wraps", "3 = 4294967297\n", 8, {}, {{32, IllegalCode(1)}}},
      {"swap without =", "3 1\n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"swap without code", "3 =\n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"swap without target", "= 1\n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"empty lines are ignored", "\n\n3 = 1\n", 8, {{3, 1}}, {}},
      {"comment is ignored", "* a comment\n", 8, {}, {}},
      {"comment after a blank", " * a comment\n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"comment of another kind", "# a comment\n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"line of blanks", "   \n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"line of a tab", "\t\n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"CR LF reads as LF",
       "GASLENGTH=12\r\n\r\n* c\r\n3 = 1\r\n",
       12,
       {{3, 1}},
       {}},
      {"CR before another character stays", "\r\r\n", 8, {}, {{32, IllegalLine(1, kFile)}}},
      {"CR at the end of the file stays", "X\nGASLENGTH=12\r", 12, {}, {{32, IllegalLine(1, kFile)}}},
      {"0x1A ends the file", "3 = 1\x1A\nX\n5 = 0\n", 8, {{3, 1}}, {}},
      {"0x1A at a line start", "GASLENGTH=12\n\x1AGASLENGTH=20\n", 12, {}, {}},
      {"NUL ends the text of a line", std::string("3 = 1\0 X\nY\n", 11), 8, {{3, 1}},
       {{32, IllegalLine(2, kFile)}}},
      {"comment of 300 characters",
       "*" + std::string(299, 'x') + "\nY\n",
       8,
       {},
       {{32, IllegalLine(2, kFile)}, {32, IllegalLine(3, kFile)}}},
      {"comment of 255 characters",
       "*" + std::string(254, 'x') + "\nY\n",
       8,
       {},
       {{32, IllegalLine(3, kFile)}}},
      {"line counter wraps after 65535", wrap, 8, {}, {{32, IllegalLine(65535, kFile)}, {32, IllegalLine(0, kFile)}}},
  };
}

TEST_F(ColdStartTest, AppliesTheLineGrammar) {
  for (const GrammarCase& c : GrammarCases()) {
    SCOPED_TRACE(c.id);
    StartCase();
    WriteFile(kFile, c.content);
    for (int n = 0; n < 18; ++n) instance_.swapTable[n] = Preset(n);
    EXPECT_EQ(ColdStart(), 0);
    EXPECT_EQ(instance_.gasLength, c.gasLength);
    for (int n = 0; n < 18; ++n) {
      uint8_t expected = Preset(n);
      for (const auto& swap : c.swaps) {
        if (swap.first == n) expected = static_cast<uint8_t>(swap.second);
      }
      EXPECT_EQ(instance_.swapTable[n], expected) << "entry " << n;
    }
    EXPECT_EQ(MessagesAfterStamp(), c.messages);
  }
}

TEST_F(ColdStartTest, StampComesFirstInItsFormat) {
  EXPECT_EQ(ColdStart(), 0);
  const std::vector<HostMessage> messages = Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_TRUE(IsBuildStamp(messages[0])) << messages[0].text;
  EXPECT_FALSE(IsBuildStamp({8, "ZELSTR> version compiled on Foo 16 2003 at time 12:32:30"}));
  EXPECT_FALSE(IsBuildStamp({8, "ZELSTR> version compiled on Oct 16 2003 at time 12-32-30"}));
  EXPECT_TRUE(IsBuildStamp({8, "ZELSTR> version compiled on Oct  6 2003 at time 12:32:30"}));
}

TEST_F(ColdStartTest, AgainResetsCountersAndKeepsEntriesNoLongerSet) {
  WriteFile(kFile, "GASLENGTH=12\n3 = 1\n4 = 2\n");
  ASSERT_EQ(ColdStart(), 0);
  instance_.gateCount = 9;
  WriteFile(kFile, "4 = 0\n");
  ASSERT_EQ(ColdStart(), 0);
  EXPECT_EQ(instance_.gateCount, 0);
  EXPECT_EQ(instance_.gasLength, 8);
  EXPECT_EQ(instance_.swapTable[3], 1);
  EXPECT_EQ(instance_.swapTable[4], 0);
}

TEST_F(ColdStartTest, TouchesNothingOutsideTheInstanceRecord) {
  WriteFile(kFile, "GASLENGTH=31\n17 = 3\n0 = 2\n");
  unsigned char guarded[sizeof(DriverInstance) + 32];
  std::memset(guarded, 0xEE, sizeof(guarded));
  DriverInstance* instance = reinterpret_cast<DriverInstance*>(guarded + 16);
  DriverRequest request{};
  request.instance = instance;
  request.functionCode = 1;
  request.ownNumber = 2;
  ASSERT_EQ(DriverEntry()(&request), 0);
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(guarded[i], 0xEE);
  for (std::size_t i = 16 + sizeof(DriverInstance); i < sizeof(guarded); ++i) {
    EXPECT_EQ(guarded[i], 0xEE);
  }
  EXPECT_EQ(instance->gasLength, 31);
  EXPECT_EQ(instance->swapTable[17], 3);
  EXPECT_EQ(instance->swapTable[0], 2);
}

}  // namespace
