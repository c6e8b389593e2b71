// GetZelInfo: the fields it writes, the host bytes it leaves, and the exact bytes of the name
// block and the banner.
#include <cstring>
#include <string>

#include "host_fixture.h"

namespace {

class DriverInfoTest : public HostTest {};

TEST_F(DriverInfoTest, WritesItsFieldsLeavesHostBytesAndReports) {
  DriverInfo info;
  std::memset(&info, 0xEE, sizeof(info));
  EXPECT_EQ(Call(14, &info), 0);
  EXPECT_EQ(info.word0, 70u);
  EXPECT_EQ(info.instanceSize, 24u);
  EXPECT_EQ(info.word16, 1u);
  EXPECT_EQ(info.half20, 0u);
  EXPECT_EQ(info.word28, 0u);
  for (uint8_t byte : info.hostBytes22) EXPECT_EQ(byte, 0xEE);
  EXPECT_EQ(Messages(), (std::vector<HostMessage>{{8, "ZELSTR> GetZelInfo() exited"}}));

  DriverInfo again;
  std::memset(&again, 0xEE, sizeof(again));
  EXPECT_EQ(Call(14, &again), 0);
  EXPECT_EQ(std::memcmp(&info, &again, sizeof(info)), 0);
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(DriverInfoTest, WritesNothingBeyondItsRecord) {
  unsigned char record[sizeof(DriverInfo) + 16];
  std::memset(record, 0xEE, sizeof(record));
  EXPECT_EQ(Call(14, record), 0);
  for (std::size_t i = sizeof(DriverInfo); i < sizeof(record); ++i) EXPECT_EQ(record[i], 0xEE);
}

TEST_F(DriverInfoTest, NameBlockHoldsNameAndDescription) {
  DriverInfo info{};
  ASSERT_EQ(Call(14, &info), 0);
  const std::string block(info.nameBlock, 93);
  EXPECT_EQ(std::string(info.nameBlock), "String gates communication drv");
  EXPECT_EQ(block[30], '\0');
  EXPECT_EQ(std::string(info.nameBlock + 31),
            "Uses any other communication driver that supports block write");
  EXPECT_EQ(block[92], '\0');
}

TEST_F(DriverInfoTest, BannerIsTheFramedLineInCodePage437) {
  DriverInfo info{};
  ASSERT_EQ(Call(14, &info), 0);
  const std::string banner(info.banner);
  ASSERT_EQ(banner.size(), 180u);
  const std::string top = "\xC9" + std::string(57, '\xCD') + "\xBB";
  const std::string middle =
      "\xBA" + std::string("  ZELSTR:   STRING GATES ZEL             (32-bit driver) ") + "\xBA";
  const std::string bottom = "\xC8" + std::string(57, '\xCD') + "\xBC";
  EXPECT_EQ(banner, "\x08" + top + "\n" + middle + "\n" + bottom);
  EXPECT_EQ(middle.size(), 59u);
}

}  // namespace
