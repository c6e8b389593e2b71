// The state of our stand-in host library: simulated targets, injections and the logs of
// messages and calls, behind one lock so that several driver instances may call at once.
// Fixed arrays only, so that no call the driver makes allocates.
#ifndef ORLKIT_SIM_STATE_H
#define ORLKIT_SIM_STATE_H

#include <cstddef>
#include <mutex>

#include "orlkit/orlkit_sim.h"

namespace orlkit {

struct Message {
  int32_t messageClass;
  char text[ORL_SIM_MESSAGE_SIZE];
};

struct Area {
  char name[ORL_SIM_AREA_NAME];  // empty: slot free
  uint32_t size;
  uint8_t memory[ORL_SIM_AREA_SIZE];
};

struct Injection {
  bool active;
  uint32_t result;
  uint32_t timesLeft;  // 0: every call
};

struct Target {
  bool installed;
  bool acceptAll;
  uint32_t elementSize;
  Area areas[ORL_SIM_AREAS];
  Injection injections[4];  // by call kind, ORL_SIM_ANY_CALL included
};

struct SimState {
  std::mutex mutex;
  bool echo = true;
  bool logging = true;
  OrlSimMessageSink sink = nullptr;
  void* sinkContext = nullptr;
  uint32_t messageCount = 0;
  Message messages[ORL_SIM_LOG_ENTRIES];
  uint32_t callCount = 0;
  OrlSimCall calls[ORL_SIM_LOG_ENTRIES];
  Target targets[ORL_SIM_TARGETS];
  bool copyOnly = false;
  uint8_t* copyMemory = nullptr;
  uint32_t copyElementSize = 1;
};

SimState& State();

void KeepMessage(int32_t messageClass, const char* text);

}  // namespace orlkit

#endif
