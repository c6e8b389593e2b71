// ZelMain's dispatch: every function code, codes beyond the table, null pointers where the
// code reads none, and the request record left byte for byte as the host filled it.
#include <cstring>

#include "host_fixture.h"

namespace {

class DispatchTest : public HostTest {};

struct CodeCase {
  const char* id;
  uint32_t code;
  int32_t result;
  const char* message;  // the one class-8 message, or null for none
};

constexpr CodeCase kCodesWithoutPointers[] = {
    {"code 0 has no handler", 0, 2, nullptr},
    {"code 2 does nothing", 2, 0, nullptr},
    {"code 4 refuses BlockParse", 4, 1, "ZELSTR> BlockParse() not supported"},
    {"code 6 refuses BlockRead", 6, 1, "ZELSTR> BlockRead() not supported"},
    {"code 8 has no handler", 8, 2, nullptr},
    {"code 9 has no handler", 9, 2, nullptr},
    {"code 10 refuses BlockWrite", 10, 1, "ZELSTR> BlockWrite() not supported"},
    {"code 11 does nothing", 11, 0, nullptr},
    {"code 12 does nothing", 12, 0, nullptr},
    {"code 13 does nothing", 13, 0, nullptr},
    {"code 15 does nothing", 15, 0, nullptr},
    {"code 16 has no handler", 16, 2, nullptr},
    {"code 17 is beyond the table", 17, 2, nullptr},
    {"code 0x80000000 is beyond the table", 0x80000000u, 2, nullptr},
    {"code 0xFFFFFFFF is beyond the table", 0xFFFFFFFFu, 2, nullptr},
};

TEST_F(DispatchTest, CodesThatReadNoPointerWorkWithBothNull) {
  for (const CodeCase& c : kCodesWithoutPointers) {
    SCOPED_TRACE(c.id);
    for (int repeat = 0; repeat < 2; ++repeat) {
      ClearLogs();
      DriverRequest request{};
      request.functionCode = c.code;
      request.ownNumber = -7;
      request.hostWord12 = 0xA5A5A5A5u;
      DriverRequest before;
      std::memcpy(&before, &request, sizeof(request));
      EXPECT_EQ(DriverEntry()(&request), c.result);
      EXPECT_EQ(std::memcmp(&before, &request, sizeof(request)), 0) << "request changed";
      std::vector<HostMessage> expected;
      if (c.message != nullptr) expected.push_back({ZEL_CLASS_INFO, c.message});
      EXPECT_EQ(Messages(), expected);
      EXPECT_TRUE(Calls().empty());
    }
  }
}

TEST_F(DispatchTest, HandlerResultsPassThroughAndRequestStaysUnchanged) {
  DriverInfo info{};
  GateDefinition badGate{};
  badGate.addressString = "AB12    03202";
  badGate.gateType = 3;  // not a string gate: SingleParse refuses
  char buffer[ZEL_VALUE_BUFFER_SIZE] = {};
  GateAccess access{};
  access.addressString = "AB12    03202";
  access.targetNumber = 3;
  access.sizeWord = 0x00020014u;
  access.valueBuffer = buffer;
  struct Case {
    const char* id;
    uint32_t code;
    void* subject;
    int32_t result;
  } const cases[] = {
      {"GetZelInfo succeeds", 14, &info, 0},
      {"ColdStart with own number 2 succeeds", 1, nullptr, 0},
      {"SingleParse of a non-string gate fails", 3, &badGate, 1},
      {"SingleRead through an uninstalled target fails", 5, &access, 1},
      {"SingleWrite through an uninstalled target fails", 7, &access, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    DriverRequest request{};
    request.instance = &instance_;
    request.functionCode = c.code;
    request.ownNumber = 2;
    request.hostWord12 = 0x5A5A5A5Au;
    request.subject = c.subject;
    DriverRequest before;
    std::memcpy(&before, &request, sizeof(request));
    EXPECT_EQ(DriverEntry()(&request), c.result);
    EXPECT_EQ(std::memcmp(&before, &request, sizeof(request)), 0) << "request changed";
  }
}

}  // namespace
