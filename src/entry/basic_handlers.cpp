// The handlers that do nothing and the ones that refuse the block functions, which this
// driver does not provide: one class-8 message each and result 1.
#include "entry/handlers.h"

namespace zelstr {
namespace {

constexpr char kBlockParseRefused[] = "ZELSTR> BlockParse() not supported";
constexpr char kBlockReadRefused[] = "ZELSTR> BlockRead() not supported";
constexpr char kBlockWriteRefused[] = "ZELSTR> BlockWrite() not supported";

}  // namespace

int32_t DoNothing(const DriverRequest*) { return 0; }

// Each passes its own constant, so that err sees a format whose conversions are known.
int32_t RefuseBlockParse(const DriverRequest*) {
  err(ZEL_CLASS_INFO, kBlockParseRefused);
  return 1;
}

int32_t RefuseBlockRead(const DriverRequest*) {
  err(ZEL_CLASS_INFO, kBlockReadRefused);
  return 1;
}

int32_t RefuseBlockWrite(const DriverRequest*) {
  err(ZEL_CLASS_INFO, kBlockWriteRefused);
  return 1;
}

}  // namespace zelstr
