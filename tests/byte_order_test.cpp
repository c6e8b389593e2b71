// SwapBytes and SwapWords on their own: the worked rows, the stop after the first NUL, the
// 80-byte limit, and that each undoes itself whatever the buffer holds.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "expected_bytes.h"
#include "gates/byte_order.h"

namespace {

using Buffer = std::array<char, 96>;

Buffer FromBytes(const std::vector<uint8_t>& bytes, char fill = '\0') {
  Buffer buffer;
  buffer.fill(fill);
  for (std::size_t i = 0; i < bytes.size(); ++i) buffer[i] = static_cast<char>(bytes[i]);
  return buffer;
}

TEST(ByteOrderTest, WorkedRows) {
  for (const expected::ExchangeRow& row : expected::ExchangeRows()) {
    SCOPED_TRACE(row.id);
    Buffer bytes = FromBytes(row.before);
    zelstr::SwapBytes(bytes.data());
    EXPECT_EQ(bytes, FromBytes(row.afterSwapBytes));
    zelstr::SwapBytes(bytes.data());
    EXPECT_EQ(bytes, FromBytes(row.before));

    Buffer words = FromBytes(row.before);
    zelstr::SwapWords(words.data());
    EXPECT_EQ(words, FromBytes(row.afterSwapWords));
    zelstr::SwapWords(words.data());
    EXPECT_EQ(words, FromBytes(row.before));
  }
}

TEST(ByteOrderTest, StopsAfterTheUnitOrGroupHoldingTheFirstNul) {
  // NUL at offset 5: SwapBytes exchanges units 0-1, 2-3, 4-5; SwapWords groups 0-3, 4-7.
  Buffer bytes;
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>('a' + i % 26);
  bytes[5] = '\0';
  Buffer swapped = bytes;
  zelstr::SwapBytes(swapped.data());
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(swapped[i], bytes[i ^ 1]) << i;
  for (std::size_t i = 6; i < bytes.size(); ++i) EXPECT_EQ(swapped[i], bytes[i]) << i;

  Buffer words = bytes;
  zelstr::SwapWords(words.data());
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(words[i], bytes[i ^ 2]) << i;
  for (std::size_t i = 8; i < bytes.size(); ++i) EXPECT_EQ(words[i], bytes[i]) << i;
}

TEST(ByteOrderTest, WithoutNulAllEightyBytesAndNothingBeyond) {
  for (int nulAt : {79, -1}) {
    SCOPED_TRACE(nulAt);
    Buffer bytes;
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(0x30 + i % 64);
    if (nulAt >= 0) bytes[static_cast<std::size_t>(nulAt)] = '\0';
    Buffer swapped = bytes;
    zelstr::SwapBytes(swapped.data());
    for (std::size_t i = 0; i < 80; ++i) EXPECT_EQ(swapped[i], bytes[i ^ 1]) << i;
    Buffer words = bytes;
    zelstr::SwapWords(words.data());
    for (std::size_t i = 0; i < 80; ++i) EXPECT_EQ(words[i], bytes[i ^ 2]) << i;
    for (std::size_t i = 80; i < bytes.size(); ++i) {
      EXPECT_EQ(swapped[i], bytes[i]);
      EXPECT_EQ(words[i], bytes[i]);
    }
  }
}

TEST(ByteOrderTest, BothReverseAGroupWithoutNulInEitherOrder) {
  Buffer a = FromBytes({0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48});
  Buffer b = a;
  zelstr::SwapBytes(a.data());
  zelstr::SwapWords(a.data());
  zelstr::SwapWords(b.data());
  zelstr::SwapBytes(b.data());
  const Buffer reversed = FromBytes({0x44, 0x43, 0x42, 0x41, 0x48, 0x47, 0x46, 0x45});
  EXPECT_EQ(a, reversed);
  EXPECT_EQ(b, reversed);
}

TEST(ByteOrderTest, EachUndoesItselfOnAnyContent) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> sparse(0, 9);
  for (int round = 0; round < 2000; ++round) {
    Buffer start;
    for (char& c : start) c = sparse(random) == 0 ? '\0' : static_cast<char>(byte(random));
    Buffer bytes = start;
    zelstr::SwapBytes(bytes.data());
    zelstr::SwapBytes(bytes.data());
    ASSERT_EQ(bytes, start);
    Buffer words = start;
    zelstr::SwapWords(words.data());
    zelstr::SwapWords(words.data());
    ASSERT_EQ(words, start);
  }
}

}  // namespace
