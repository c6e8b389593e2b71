// The test binary that has the driver's core linked in calls its ZelMain directly.
#include "host_fixture.h"

ZelMainFunction DriverEntry() { return &ZelMain; }
