// GetZelInfo: fills the host's DriverInfo with the driver's constants and the addresses of its
// name block and banner, which are shared, unchanging data of every instance.
#include <array>
#include <cstddef>

#include "entry/handlers.h"

namespace zelstr {
namespace {

// Name, NUL, description, and the closing NUL that the literal adds: 30 + 1 + 61 + 1 bytes.
constexpr char kNameBlock[] =
    "String gates communication drv"
    "\0"
    "Uses any other communication driver that supports block write";
static_assert(sizeof(kNameBlock) == 93, "the name block is 93 bytes");

// The banner in code page 437: a backspace, then three 59-byte lines of a double frame
// around one line of text, separated by two line feeds, then a NUL.
constexpr std::size_t kFrameInside = 57;
constexpr char kBannerText[] = "  ZELSTR:   STRING GATES ZEL             (32-bit driver) ";
static_assert(sizeof(kBannerText) - 1 == kFrameInside, "the text fills the frame");

constexpr char kCornerUpperLeft = '\xC9';
constexpr char kCornerUpperRight = '\xBB';
constexpr char kCornerLowerLeft = '\xC8';
constexpr char kCornerLowerRight = '\xBC';
constexpr char kHorizontal = '\xCD';
constexpr char kVertical = '\xBA';

constexpr std::size_t kBannerLength = 1 + 3 * (kFrameInside + 2) + 2;
static_assert(kBannerLength == 180, "the banner is 180 bytes before its NUL");

constexpr std::array<char, kBannerLength + 1> MakeBanner() {
  std::array<char, kBannerLength + 1> banner{};
  std::size_t at = 0;
  banner[at++] = '\x08';
  banner[at++] = kCornerUpperLeft;
  for (std::size_t i = 0; i < kFrameInside; ++i) banner[at++] = kHorizontal;
  banner[at++] = kCornerUpperRight;
  banner[at++] = '\n';
  banner[at++] = kVertical;
  for (std::size_t i = 0; i < kFrameInside; ++i) banner[at++] = kBannerText[i];
  banner[at++] = kVertical;
  banner[at++] = '\n';
  banner[at++] = kCornerLowerLeft;
  for (std::size_t i = 0; i < kFrameInside; ++i) banner[at++] = kHorizontal;
  banner[at++] = kCornerLowerRight;
  banner[at] = '\0';
  return banner;
}

constexpr std::array<char, kBannerLength + 1> kBanner = MakeBanner();
static_assert(kBanner[kBannerLength] == '\0' && kBanner[kBannerLength - 1] == kCornerLowerRight,
              "the banner ends with its lower right corner and a NUL");

constexpr uint32_t kInfoWord0 = 70;
constexpr uint32_t kInfoWord16 = 1;
constexpr uint16_t kInfoHalf20 = 0;
constexpr uint32_t kInfoWord28 = 0;

constexpr char kInfoDone[] = "ZELSTR> GetZelInfo() exited";

}  // namespace

int32_t GetZelInfo(const DriverRequest* request) {
  DriverInfo* info = static_cast<DriverInfo*>(request->subject);
  info->word0 = kInfoWord0;
  info->nameBlock = kNameBlock;
  info->banner = kBanner.data();
  info->instanceSize = sizeof(DriverInstance);
  info->word16 = kInfoWord16;
  info->half20 = kInfoHalf20;
  info->word28 = kInfoWord28;
  err(ZEL_CLASS_INFO, kInfoDone);
  return 0;
}

}  // namespace zelstr
