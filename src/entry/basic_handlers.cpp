// The handlers that do nothing and the ones that refuse the block functions, which this
// driver does not provide: one class-8 message each and result 1.
#include "entry/handlers.h"

namespace zelstr {
namespace {

constexpr char kBlockParseRefused[] = "ZELSTR> BlockParse() not supported";
constexpr char kBlockReadRefused[] = "ZELSTR> BlockRead() not supported";
constexpr char kBlockWriteRefused[] = "ZELSTR> BlockWrite() not supported";

int32_t Refuse(const char* message) {
  err(ZEL_CLASS_INFO, message);
  return 1;
}

}  // namespace

int32_t DoNothing(const DriverRequest*) { return 0; }
int32_t RefuseBlockParse(const DriverRequest*) { return Refuse(kBlockParseRefused); }
int32_t RefuseBlockRead(const DriverRequest*) { return Refuse(kBlockReadRefused); }
int32_t RefuseBlockWrite(const DriverRequest*) { return Refuse(kBlockWriteRefused); }

}  // namespace zelstr
