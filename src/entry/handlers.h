// The handlers behind ZelMain's table, one per provided function code. Each takes the host's
// request and returns 0 (done) or 1 (failed, already reported through err); none returns 2.
#ifndef ZELSTR_ENTRY_HANDLERS_H
#define ZELSTR_ENTRY_HANDLERS_H

#include "zelstr/host_interface.h"

namespace zelstr {

using Handler = int32_t (*)(const DriverRequest* request);

int32_t DoNothing(const DriverRequest* request);         // codes 2, 11, 12, 13, 15
int32_t RefuseBlockParse(const DriverRequest* request);  // code 4
int32_t RefuseBlockRead(const DriverRequest* request);   // code 6
int32_t RefuseBlockWrite(const DriverRequest* request);  // code 10
int32_t GetZelInfo(const DriverRequest* request);        // code 14
int32_t ColdStart(const DriverRequest* request);         // code 1
int32_t SingleParse(const DriverRequest* request);       // code 3
int32_t SingleRead(const DriverRequest* request);        // code 5
int32_t SingleWrite(const DriverRequest* request);       // code 7

}  // namespace zelstr

#endif
