// ExtractAddress on its own: the cut, the trailing blanks, sources shorter than the width, and
// sources and widths that no valid gate has, which must never overrun the destination.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gates/address.h"

namespace {

struct Case {
  const char* id;
  std::string source;
  int32_t width;
  std::string part;
};

TEST(AddressTest, ExtractAddressCutsTheAddressPart) {
  const std::string longSource(300, 'A');
  const Case cases[] = {
      {"cut and trailing blanks dropped", "AB12    03202", 8, "AB12"},
      {"leading and inner blanks stay", " A B    03202", 8, " A B"},
      {"tab is no blank", "AB\t     03202", 8, "AB\t"},
      {"blanks only", "        03202", 8, ""},
      {"width 0", "03202", 0, ""},
      {"shorter than the width stays whole", "AB  ", 8, "AB  "},
      {"exactly the width", "AB12    ", 8, "AB12"},
      {"negative width reads as 0", "AB12    03202", -1, ""},
      {"source of 300 characters, width 8", longSource, 8, "AAAAAAAA"},
      {"source of 300 characters, width 300", longSource, 300, longSource.substr(0, 255)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    char destination[zelstr::kAddressBufferSize + 8];
    std::memset(destination, 0x7E, sizeof(destination));
    zelstr::ExtractAddress(c.source.c_str(),
                           *reinterpret_cast<char(*)[zelstr::kAddressBufferSize]>(destination),
                           c.width);
    EXPECT_EQ(std::string(destination), c.part);
    for (std::size_t i = zelstr::kAddressBufferSize; i < sizeof(destination); ++i) {
      EXPECT_EQ(destination[i], 0x7E) << "written beyond the destination at " << i;
    }
  }
}

}  // namespace
