// SingleParse: every check in its order with its message, the record state after each kind of
// refusal, numbering with its wrap, the number columns' white space and signs, and the call
// that asks the target driver.
#include <cstring>
#include <string>

#include "host_fixture.h"

namespace {

constexpr uint32_t kBefore = 0xDDDDDDDDu;  // what the host's record held before the call

class SingleParseTest : public HostTest {
 protected:
  void StartParseCase() {
    StartCase();
    for (uint32_t target = 0; target < 16; ++target) OrlSimInstall(target, 2, 1);
    instance_.gasLength = 8;
  }

  // address must outlive the record, as the host's string does.
  GateDefinition Gate(const char* address, int32_t gateType = ZEL_GATE_TYPE_STRING) {
    GateDefinition gate;
    std::memset(&gate, 0xDD, sizeof(gate));
    gate.addressString = address;
    gate.gateType = gateType;
    return gate;
  }
};

std::string Quoted(const char* message, const std::string& address) {
  return std::string("ZELSTR> SingleParse() ") + message + " '" + address + "'";
}

struct ParseCase {
  const char* id;
  std::string address;
  int32_t gasLength;
  uint32_t parseResult;  // what OrlParseBlock answers
  std::string message;   // empty: accepted
  uint32_t targetNumber;
  uint32_t sizeWord;
  bool asked;  // OrlParseBlock called, with:
  std::string part;
  uint32_t count;
};

const char kLength[] = "illegal length addr. string";
const char kTarget[] = "illegal ZEL number in";
const char kStrlen[] = "illegal string length in";
const char kMemtype[] = "illegal # bytes of memtype in";
const char kMultiple[] = "strlen must be * of # bytes in";

std::vector<ParseCase> ParseCases() {
  const std::string tooLong(300, 'A');
  return {
      {"valid 13 characters", "AB12    03202", 8, 0, "", 3, 0x00020014u, true, "AB12", 10},
      {"12 characters", "AB12    0320", 8, 0, Quoted(kLength, "AB12    0320"), kBefore, kBefore,
       false, "", 0},
      {"14 characters", "AB12    032021", 8, 0, Quoted(kLength, "AB12    032021"), kBefore,
       kBefore, false, "", 0},
      {"longer than the working copy", tooLong, 8, 0, Quoted(kLength, tooLong.substr(0, 255)),
       kBefore, kBefore, false, "", 0},
      {"width from no cold start", "12", -3, 0, Quoted(kLength, "12"), kBefore, kBefore, false, "",
       0},
      {"target 00", "AB12    00202", 8, 0, "", 0, 0x00020014u, true, "AB12", 10},
      {"target 15", "AB12    15202", 8, 0, "", 15, 0x00020014u, true, "AB12", 10},
      {"target 16", "AB12    16202", 8, 0, Quoted(kTarget, "AB12    16202"), kBefore, kBefore, false,
       "", 0},
      {"target 99", "AB12    99202", 8, 0, Quoted(kTarget, "AB12    99202"), kBefore, kBefore, false,
       "", 0},
      {"target letter", "AB12    x3202", 8, 0, Quoted(kTarget, "AB12    x3202"), kBefore, kBefore,
       false, "", 0},
      {"target +5", "AB12    +5202", 8, 0, "", 5, 0x00020014u, true, "AB12", 10},
      {"target -0", "AB12    -0202", 8, 0, "", 0, 0x00020014u, true, "AB12", 10},
      {"target 5 and a blank", "AB12    5 202", 8, 0, "", 5, 0x00020014u, true, "AB12", 10},
      {"target -1", "AB12    -1202", 8, 0, Quoted(kTarget, "AB12    -1202"), kBefore, kBefore, false,
       "", 0},
      {"blank runs on into the length", "AB12     1202", 8, 0, "", 12, 0x00020014u, true, "AB12", 10},
      {"two blanks take the length columns", "AB12      082", 8, 0, "", 8, 0x00020008u, true, "AB12",
       4},
      {"length 00, size 1", "AB12    03001", 8, 0, "", 3, 0x00010000u, true, "AB12", 0},
      {"length 00, size 4", "AB12    03004", 8, 0, "", 3, 0x00040000u, true, "AB12", 0},
      {"length 80", "AB12    03804", 8, 0, "", 3, 0x00040050u, true, "AB12", 20},
      {"length 81", "AB12    03811", 8, 0, Quoted(kStrlen, "AB12    03811"), 3, kBefore, false, "",
       0},
      {"length letters", "AB12    03ab1", 8, 0, Quoted(kStrlen, "AB12    03ab1"), 3, kBefore, false,
       "", 0},
      {"size 0", "AB12    03200", 8, 0, Quoted(kMemtype, "AB12    03200"), 3, 20, false, "", 0},
      {"size 3", "AB12    03203", 8, 0, Quoted(kMemtype, "AB12    03203"), 3, 20, false, "", 0},
      {"size 5", "AB12    03205", 8, 0, Quoted(kMemtype, "AB12    03205"), 3, 20, false, "", 0},
      {"size 9", "AB12    03209", 8, 0, Quoted(kMemtype, "AB12    03209"), 3, 20, false, "", 0},
      {"size blank", "AB12    0320 ", 8, 0, Quoted(kMemtype, "AB12    0320 "), 3, 20, false, "", 0},
      {"size sign", "AB12    0320+", 8, 0, Quoted(kMemtype, "AB12    0320+"), 3, 20, false, "", 0},
      {"length 10, size 4", "AB12    03104", 8, 0, Quoted(kMultiple, "AB12    03104"), 3, 10, false,
       "", 0},
      {"length 10, size 2", "AB12    03102", 8, 0, "", 3, 0x0002000Au, true, "AB12", 5},
      {"blank address part", "        03202", 8, 0, "", 3, 0x00020014u, true, "", 10},
      {"width 0", "03202", 0, 0, "", 3, 0x00020014u, true, "", 10},
      {"width 31", "ADDRESS_PART_OF_THIRTY_ONE_CHRS03202", 31, 0, "", 3, 0x00020014u, true,
       "ADDRESS_PART_OF_THIRTY_ONE_CHRS", 10},
      {"leading and inner blanks stay", " A B    03202", 8, 0, "", 3, 0x00020014u, true, " A B", 10},
      {"tabs stay", "AB\t     03202", 8, 0, "", 3, 0x00020014u, true, "AB\t", 10},
      {"target rejects", "AB12    03202", 8, 1, "ZELSTR> SingleParse() 'AB12' parse error on ZEL3", 3,
       0x00020014u, true, "AB12", 10},
      {"result 2", "AB12    03202", 8, 2, "ZELSTR> SingleParse() Orl5ParseBlock() rc 2", 3,
       0x00020014u, true, "AB12", 10},
      {"not installed", "AB12    03202", 8, 3, "ZELSTR> SingleParse() ZEL3 not installed", 3,
       0x00020014u, true, "AB12", 10},
      {"result 4", "AB12    03202", 8, 4, "ZELSTR> SingleParse() Orl5ParseBlock() rc 4", 3,
       0x00020014u, true, "AB12", 10},
      {"result 65535", "AB12    03202", 8, 65535, "ZELSTR> SingleParse() Orl5ParseBlock() rc 65535",
       3, 0x00020014u, true, "AB12", 10},
      {"only the low 16 bits count", "AB12    03202", 8, 0x00010001u,
       "ZELSTR> SingleParse() 'AB12' parse error on ZEL3", 3, 0x00020014u, true, "AB12", 10},
  };
}

TEST_F(SingleParseTest, ChecksDecodesAndAsksTheTarget) {
  for (const ParseCase& c : ParseCases()) {
    SCOPED_TRACE(c.id);
    StartParseCase();
    instance_.gasLength = c.gasLength;
    instance_.gateCount = 41;
    if (c.parseResult != 0) OrlSimInject(ORL_SIM_PARSE, 3, c.parseResult, 0);
    GateDefinition gate = Gate(c.address.c_str());
    const int32_t expectedResult = c.message.empty() ? 0 : 1;
    EXPECT_EQ(Call(3, &gate), expectedResult);
    EXPECT_EQ(gate.targetNumber, c.targetNumber);
    EXPECT_EQ(gate.sizeWord, c.sizeWord);
    EXPECT_EQ(gate.gateNumber, 41u);
    EXPECT_EQ(gate.word28, 0xFFFFFFFFu);
    EXPECT_EQ(gate.word32, 0u);
    EXPECT_EQ(gate.hostWord4, kBefore);
    EXPECT_EQ(gate.hostWord12, kBefore);
    EXPECT_EQ(instance_.gateCount, 42);
    std::vector<HostMessage> expected;
    if (!c.message.empty()) expected.push_back({ZEL_CLASS_INFO, c.message});
    EXPECT_EQ(Messages(), expected);
    const std::vector<OrlSimCall> calls = Calls();
    ASSERT_EQ(calls.size(), c.asked ? 1u : 0u);
    if (!c.asked) continue;
    EXPECT_EQ(calls[0].kind, static_cast<uint32_t>(ORL_SIM_PARSE));
    EXPECT_EQ(calls[0].mode, 0u);
    EXPECT_EQ(calls[0].target, c.targetNumber);
    EXPECT_EQ(std::string(calls[0].address), c.part);
    EXPECT_EQ(calls[0].count, c.count);
  }
}

TEST_F(SingleParseTest, RefusesANonStringGateTouchingNothing) {
  StartParseCase();
  instance_.gateCount = 5;
  GateDefinition gate = Gate("AB12    03202", 6);
  GateDefinition before = gate;
  EXPECT_EQ(Call(3, &gate), 1);
  EXPECT_EQ(std::memcmp(&gate, &before, sizeof(gate)), 0);
  EXPECT_EQ(instance_.gateCount, 5);
  EXPECT_EQ(Messages(), (std::vector<HostMessage>{
                            {8, "ZELSTR> SingleParse() gate type should be STRING"}}));
  EXPECT_TRUE(Calls().empty());
}

TEST_F(SingleParseTest, NumbersGatesInCallOrderRefusedOnesIncluded) {
  StartParseCase();
  ASSERT_EQ(ColdStart(), 0);
  const char* addresses[] = {"AB12    03202", "AB12    0320", "CD34    04101"};
  const int32_t results[] = {0, 1, 0};
  for (uint32_t i = 0; i < 3; ++i) {
    GateDefinition gate = Gate(addresses[i]);
    EXPECT_EQ(Call(3, &gate), results[i]);
    EXPECT_EQ(gate.gateNumber, i);
  }
  EXPECT_EQ(instance_.gateCount, 3);

  instance_.gateCount = 65535;
  GateDefinition last = Gate("AB12    03202");
  EXPECT_EQ(Call(3, &last), 0);
  EXPECT_EQ(last.gateNumber, 65535u);
  EXPECT_EQ(instance_.gateCount, 0);
}

TEST_F(SingleParseTest, WritesNothingBeyondTheRecord) {
  StartParseCase();
  unsigned char guarded[sizeof(GateDefinition) + 16];
  std::memset(guarded, 0xEE, sizeof(guarded));
  GateDefinition gate = Gate("AB12    03202");
  std::memcpy(guarded, &gate, sizeof(gate));
  EXPECT_EQ(Call(3, guarded), 0);
  for (std::size_t i = sizeof(GateDefinition); i < sizeof(guarded); ++i) {
    EXPECT_EQ(guarded[i], 0xEE);
  }
}

}  // namespace
