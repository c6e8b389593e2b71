// SingleRead and SingleWrite: the worked transfers, the exchanges by element size and swap
// code, the NUL after a read, the host's buffer given back after every write, a message for
// every result code, and records that SingleParse could never have produced.
#include <array>
#include <cstring>
#include <string>

#include "expected_bytes.h"
#include "host_fixture.h"

namespace {

constexpr uint32_t kTarget = 3;
const char kAddress[] = "AB12    03202";
using ValueBuffer = std::array<char, ZEL_VALUE_BUFFER_SIZE + 15>;  // guard bytes after 81

class BlockTransferTest : public HostTest {
 protected:
  // Target 3 with element size elementSize and an 80-byte area "AB12".
  uint8_t* StartTransferCase(uint32_t elementSize, uint8_t swapCode) {
    StartCase();
    instance_.gasLength = 8;
    instance_.swapTable[kTarget] = swapCode;
    OrlSimInstall(kTarget, elementSize, 0);
    return OrlSimAddArea(kTarget, "AB12", 80);
  }

  int32_t Transfer(uint32_t code, uint32_t elementSize, uint32_t length, ValueBuffer& buffer,
                   const char* address = kAddress, uint32_t target = kTarget) {
    GateAccess access;
    std::memset(&access, 0xDD, sizeof(access));
    access.addressString = address;
    access.targetNumber = target;
    access.sizeWord = (elementSize << 16) | length;
    access.valueBuffer = buffer.data();
    const GateAccess before = access;
    const int32_t result = Call(code, &access);
    EXPECT_EQ(std::memcmp(&access, &before, sizeof(access)), 0) << "GateAccess changed";
    return result;
  }
};

ValueBuffer HostBuffer(const std::string& text, char fill = '\0') {
  ValueBuffer buffer;
  buffer.fill(fill);
  std::memcpy(buffer.data(), text.data(), text.size());
  return buffer;
}

TEST_F(BlockTransferTest, WorkedTransfers) {
  for (const expected::TransferRow& row : expected::TransferRows()) {
    SCOPED_TRACE(row.id);
    uint8_t* memory = StartTransferCase(row.elementSize, row.swapCode);
    ASSERT_NE(memory, nullptr);
    if (row.write) {
      ValueBuffer buffer = HostBuffer(row.hostText);
      const ValueBuffer given = buffer;
      ASSERT_EQ(Transfer(7, row.elementSize, row.length, buffer), 0);
      EXPECT_EQ(buffer, given) << "the host's buffer is back in its order";
      EXPECT_EQ(std::vector<uint8_t>(memory, memory + row.length), row.targetBytes);
    } else {
      std::memcpy(memory, row.targetBytes.data(), row.targetBytes.size());
      ValueBuffer buffer = HostBuffer("");
      ASSERT_EQ(Transfer(5, row.elementSize, row.length, buffer), 0);
      EXPECT_EQ(std::string(buffer.data()), row.hostText);
      EXPECT_EQ(buffer[row.length], '\0');
    }
    const std::vector<OrlSimCall> calls = Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, static_cast<uint32_t>(row.write ? ORL_SIM_WRITE : ORL_SIM_READ));
    EXPECT_EQ(calls[0].mode, 0u);
    EXPECT_EQ(calls[0].target, kTarget);
    EXPECT_STREQ(calls[0].address, "AB12");
    EXPECT_EQ(calls[0].count, row.length / row.elementSize);
    EXPECT_EQ(calls[0].last, 0u);
    EXPECT_EQ(std::vector<uint8_t>(calls[0].bytes, calls[0].bytes + calls[0].moved),
              row.targetBytes);
    EXPECT_TRUE(Messages().empty());
  }
}

TEST_F(BlockTransferTest, EveryValueReadsBackAsItWasWritten) {
  const std::string text = "Best before 2027-06-30, lot 4711 of line 2; keep dry & cool!!";
  for (uint32_t elementSize : {1u, 2u, 4u}) {
    for (uint8_t swapCode = 0; swapCode < 4; ++swapCode) {
      for (uint32_t length = 0; length <= 80; length += elementSize) {
        for (std::size_t valueLength = 0; valueLength <= length; ++valueLength) {
          SCOPED_TRACE(testing::Message() << "element size " << elementSize << ", swap code "
                                          << int{swapCode} << ", strlen " << length << ", value "
                                          << valueLength);
          StartTransferCase(elementSize, swapCode);
          std::string value = text.substr(0, std::min(valueLength, text.size()));
          value.resize(valueLength, 'x');
          ValueBuffer written = HostBuffer(value);
          ASSERT_EQ(Transfer(7, elementSize, length, written), 0);
          ValueBuffer read = HostBuffer("", '\x7E');
          ASSERT_EQ(Transfer(5, elementSize, length, read), 0);
          ASSERT_EQ(std::string(read.data()), value);
        }
      }
    }
  }
}

TEST_F(BlockTransferTest, EightyCharactersWithoutNulAreReversedBothWays) {
  uint8_t* memory = StartTransferCase(4, 3);
  std::string text;
  for (int i = 0; i < 80; ++i) text += static_cast<char>('!' + i);
  ValueBuffer buffer = HostBuffer(text, '\x7E');
  const ValueBuffer given = buffer;
  ASSERT_EQ(Transfer(7, 4, 80, buffer), 0);
  EXPECT_EQ(buffer, given);
  for (int i = 0; i < 80; ++i) EXPECT_EQ(memory[i], static_cast<uint8_t>(text[i ^ 3])) << i;

  ValueBuffer read = HostBuffer("", '\x7E');
  ASSERT_EQ(Transfer(5, 4, 80, read), 0);
  EXPECT_EQ(std::string(read.data()), text);
  EXPECT_EQ(read[80], '\0');
  for (std::size_t i = 81; i < read.size(); ++i) EXPECT_EQ(read[i], '\x7E') << i;
}

TEST_F(BlockTransferTest, LengthZeroAsksForNoElementsAndStoresTheNulLast) {
  StartTransferCase(2, 1);
  ValueBuffer buffer = HostBuffer("ABCD");
  ASSERT_EQ(Transfer(5, 2, 0, buffer), 0);
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].count, 0u);
  // The exchange ran over the earlier contents, then the NUL went to offset 0.
  EXPECT_EQ(std::string(buffer.data(), 4), std::string("\0ADC", 4));
}

TEST_F(BlockTransferTest, ExchangesStopAtTheFirstNulFromTheTarget) {
  uint8_t* memory = StartTransferCase(2, 1);
  const uint8_t fromTarget[] = {0x42, 0x41, 0x00, 0x43, 0x44, 0x45, 0x46, 0x47};
  std::memcpy(memory, fromTarget, sizeof(fromTarget));
  ValueBuffer buffer = HostBuffer("");
  ASSERT_EQ(Transfer(5, 2, 8, buffer), 0);
  EXPECT_EQ(std::string(buffer.data(), 9), std::string("AB\x43\0DEFG\0", 9));
}

struct ResultCase {
  const char* id;
  uint32_t result;
  const char* readMessage;
  const char* writeMessage;
};

constexpr ResultCase kResultCases[] = {
    {"1 quotes the address part", 1, "ZELSTR> SingleRead() 'AB12' parse error on ZEL3",
     "ZELSTR> SingleWrite() 'AB12' parse error on ZEL3"},
    {"2", 2, "ZELSTR> SingleRead() recovery comm error ZEL3",
     "ZELSTR> SingleWrite() recovery comm error ZEL3"},
    {"3 has no text of its own", 3, "ZELSTR> SingleRead() Orl5ReadBlock() ZEL3 rc 3",
     "ZELSTR> SingleWrite() Orl5WriteBlock() ZEL3 rc 3"},
    {"7", 7, "ZELSTR> SingleRead() communication error ZEL3",
     "ZELSTR> SingleWrite() communication error ZEL3"},
    {"9", 9, "ZELSTR> SingleRead() Orl5ReadBlock() ZEL3 rc 9",
     "ZELSTR> SingleWrite() Orl5WriteBlock() ZEL3 rc 9"},
    {"65535", 65535, "ZELSTR> SingleRead() Orl5ReadBlock() ZEL3 rc 65535",
     "ZELSTR> SingleWrite() Orl5WriteBlock() ZEL3 rc 65535"},
    {"only the low 16 bits count", 0x00010007u, "ZELSTR> SingleRead() communication error ZEL3",
     "ZELSTR> SingleWrite() communication error ZEL3"},
};

TEST_F(BlockTransferTest, EveryFailureIsReportedOnceAndLeavesTheBuffer) {
  for (const ResultCase& c : kResultCases) {
    SCOPED_TRACE(c.id);
    StartTransferCase(4, 3);
    OrlSimInject(ORL_SIM_ANY_CALL, kTarget, c.result, 0);

    ValueBuffer read = HostBuffer("QRSTUVWX", '\x55');
    const ValueBuffer untouched = read;
    EXPECT_EQ(Transfer(5, 4, 8, read), 1);
    EXPECT_EQ(read, untouched) << "no exchange and no NUL after a failed read";

    ValueBuffer written = HostBuffer("ABCDEFGH", '\x55');
    const ValueBuffer given = written;
    EXPECT_EQ(Transfer(7, 4, 8, written), 1);
    EXPECT_EQ(written, given) << "a failed write gives the buffer back";

    EXPECT_EQ(Messages(), (std::vector<HostMessage>{{8, c.readMessage}, {8, c.writeMessage}}));
    EXPECT_EQ(Calls().size(), 2u) << "no retry";
  }
}

TEST_F(BlockTransferTest, ParseErrorQuotesTheCutAddressPart) {
  StartTransferCase(1, 0);
  instance_.gasLength = 6;
  OrlSimInject(ORL_SIM_READ, kTarget, 1, 0);
  ValueBuffer buffer = HostBuffer("");
  EXPECT_EQ(Transfer(5, 1, 4, buffer, "AB 1  03041"), 1);
  EXPECT_EQ(Messages(), (std::vector<HostMessage>{
                            {8, "ZELSTR> SingleRead() 'AB 1' parse error on ZEL3"}}));
}

struct IllegalCase {
  const char* id;
  uint32_t elementSize;
  uint32_t length;
  uint32_t target;
  std::string address;
  std::string shown;  // what the message quotes, then its numbers
};

std::vector<IllegalCase> IllegalCases() {
  const std::string tooLong(256, 'A');
  return {
      {"element size 0", 0, 8, 3, kAddress, std::string(kAddress) + "': ZEL3, strlen 8, # bytes 0"},
      {"element size 3", 3, 9, 3, kAddress, std::string(kAddress) + "': ZEL3, strlen 9, # bytes 3"},
      {"length 81", 1, 81, 3, kAddress, std::string(kAddress) + "': ZEL3, strlen 81, # bytes 1"},
      {"length 65535", 1, 65535, 3, kAddress,
       std::string(kAddress) + "': ZEL3, strlen 65535, # bytes 1"},
      {"length not a multiple", 4, 10, 3, kAddress,
       std::string(kAddress) + "': ZEL3, strlen 10, # bytes 4"},
      {"target 18", 1, 8, 18, kAddress, std::string(kAddress) + "': ZEL18, strlen 8, # bytes 1"},
      {"target all bits", 1, 8, 0xFFFFFFFFu, kAddress,
       std::string(kAddress) + "': ZEL4294967295, strlen 8, # bytes 1"},
      {"address longer than the working buffer", 1, 8, 3, tooLong,
       tooLong.substr(0, 255) + "': ZEL3, strlen 8, # bytes 1"},
  };
}

TEST_F(BlockTransferTest, RefusesWordsThatSingleParseNeverStores) {
  for (const IllegalCase& c : IllegalCases()) {
    SCOPED_TRACE(c.id);
    StartTransferCase(1, 3);
    for (uint32_t code : {5u, 7u}) {
      ClearLogs();
      ValueBuffer buffer = HostBuffer("ABCDEFGH", '\x55');
      const ValueBuffer given = buffer;
      EXPECT_EQ(Transfer(code, c.elementSize, c.length, buffer, c.address.c_str(), c.target), 1);
      EXPECT_EQ(buffer, given);
      const std::string name = code == 5 ? "SingleRead" : "SingleWrite";
      EXPECT_EQ(Messages(), (std::vector<HostMessage>{
                                {8, "ZELSTR> " + name + "() illegal gate words in '" + c.shown}}));
      EXPECT_TRUE(Calls().empty());
    }
  }
}

}  // namespace
