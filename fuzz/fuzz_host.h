// The host side of a fuzz harness: a call into ZelMain, the messages of that call, and a
// check that reports the broken invariant and stops the run.
#ifndef ZELSTR_FUZZ_FUZZ_HOST_H
#define ZELSTR_FUZZ_FUZZ_HOST_H

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "orlkit/orlkit_sim.h"
#include "zelstr/host_interface.h"

#define FUZZ_CHECK(condition)                                                           \
  do {                                                                                  \
    if (!(condition)) {                                                                 \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                     \
    }                                                                                   \
  } while (0)

namespace fuzzhost {

struct Message {
  int32_t messageClass;
  std::string text;
};

inline void StartQuietHost() {
  OrlSimReset();
  OrlSimSetEcho(0);
}

inline int32_t Call(DriverInstance* instance, uint32_t code, int32_t ownNumber, void* subject) {
  DriverRequest request{};
  request.instance = instance;
  request.functionCode = code;
  request.ownNumber = ownNumber;
  request.subject = subject;
  return ZelMain(&request);
}

inline std::vector<Message> TakeMessages() {
  std::vector<Message> messages;
  for (uint32_t i = 0; i < OrlSimMessageCount(); ++i) {
    const char* text = OrlSimMessageText(i);
    FUZZ_CHECK(text != nullptr);  // the log keeps more than one call can write
    messages.push_back({OrlSimMessageClass(i), text});
  }
  OrlSimClearMessages();
  return messages;
}

inline bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

}  // namespace fuzzhost

#endif
