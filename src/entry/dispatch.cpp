// ZelMain: the driver's only way in. One bounds test and one look-up in a constant table of
// 17 slots; the handler's result goes back unchanged, and an empty slot answers 2 silently.
#include "entry/handlers.h"

namespace zelstr {
namespace {

constexpr Handler kHandlers[] = {
    nullptr,           // 0
    ColdStart,         // 1
    DoNothing,         // 2
    SingleParse,       // 3
    RefuseBlockParse,  // 4
    SingleRead,        // 5
    RefuseBlockRead,   // 6
    SingleWrite,       // 7
    nullptr,           // 8
    nullptr,           // 9
    RefuseBlockWrite,  // 10
    DoNothing,         // 11
    DoNothing,         // 12
    DoNothing,         // 13
    GetZelInfo,        // 14
    DoNothing,         // 15
    nullptr,           // 16
};
static_assert(sizeof(kHandlers) / sizeof(kHandlers[0]) == ZEL_HANDLER_SLOTS,
              "one slot per function code 0 to 16");

constexpr int32_t kNoHandler = 2;

}  // namespace
}  // namespace zelstr

extern "C" ZEL_EXPORT int32_t ZEL_STDCALL ZelMain(const DriverRequest* request) {
  const uint32_t code = request->functionCode;
  if (code >= ZEL_HANDLER_SLOTS) return zelstr::kNoHandler;
  const zelstr::Handler handler = zelstr::kHandlers[code];
  if (handler == nullptr) return zelstr::kNoHandler;
  return handler(request);
}
