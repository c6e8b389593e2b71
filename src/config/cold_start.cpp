// ColdStart: prepares an instance before any of its gates is parsed. Reports the build stamp,
// clears the gate counter, applies the INT file and checks the instance's place in the list.
#include "config/int_file.h"
#include "entry/handlers.h"

namespace zelstr {
namespace {

// __DATE__ reads "Oct 16 2003" (a blank before a one-digit day) and __TIME__ "12:32:30".
constexpr char kBuildStamp[] = "ZELSTR> version compiled on " __DATE__ " at time " __TIME__;
constexpr char kNotLast[] = "ZELSTR> ColdStart() should be last ZEL in list";
constexpr int32_t kLowestOwnNumber = 2;

}  // namespace

int32_t ColdStart(const DriverRequest* request) {
  err(ZEL_CLASS_INFO, kBuildStamp);
  request->instance->gateCount = 0;
  ReadIntFile(request);
  if (request->ownNumber >= kLowestOwnNumber) return 0;
  err(ZEL_CLASS_FAULT, kNotLast);
  return 1;
}

}  // namespace zelstr
