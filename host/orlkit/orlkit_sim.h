/* Control side of our stand-in host library: what tests, benchmarks and the host emulator use
 * to set up the simulated target drivers and to see every call and message. The driver itself
 * knows only err and the three block calls of the host interface. */
#ifndef ORLKIT_SIM_H
#define ORLKIT_SIM_H

#include "zelstr/host_interface.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
  ORL_SIM_TARGETS = 256,     /* every value of the target byte */
  ORL_SIM_AREAS = 16,        /* memory areas per target */
  ORL_SIM_AREA_NAME = 32,    /* an area's name, NUL included */
  ORL_SIM_AREA_SIZE = 256,   /* bytes per area at most */
  ORL_SIM_MAX_TRANSFER = 80, /* bytes a simulated transfer moves at most */
  ORL_SIM_MESSAGE_SIZE = 512,
  ORL_SIM_LOG_ENTRIES = 1024 /* messages and calls kept; older ones are overwritten */
};

/* Which block call; ORL_SIM_ANY_CALL in an injection stands for all three. */
enum { ORL_SIM_ANY_CALL = 0, ORL_SIM_PARSE = 1, ORL_SIM_READ = 2, ORL_SIM_WRITE = 3 };

/* One block call as the driver made it. */
typedef struct OrlSimCall {
  uint32_t kind;                          /* ORL_SIM_PARSE, ORL_SIM_READ or ORL_SIM_WRITE */
  uint32_t mode;                          /* first argument */
  uint32_t target;                        /* the target byte */
  char address[256];                      /* the address part, cut to 255 characters */
  uint32_t count;                         /* element count */
  uint32_t last;                          /* last argument of OrlReadBlock, else 0 */
  uint32_t result;                        /* what the call returned */
  uint32_t moved;                         /* bytes copied to or from the buffer */
  uint8_t bytes[ORL_SIM_MAX_TRANSFER];    /* a write: what the target received; a read: what it gave */
} OrlSimCall;

typedef void (*OrlSimMessageSink)(int32_t messageClass, const char* text, void* context);

/* Back to the start: no target installed, no injection, logs empty, echo on, no sink. */
ORLKIT_API void OrlSimReset(void);

/* Messages. Each err call is formatted, kept (with its class) and shown: through the sink if
 * one is set, else, while echo is on, as "[class] text" on standard error. */
ORLKIT_API void OrlSimSetEcho(int32_t on);
ORLKIT_API void OrlSimSetMessageSink(OrlSimMessageSink sink, void* context);
ORLKIT_API void OrlSimSetLogging(int32_t on);
ORLKIT_API uint32_t OrlSimMessageCount(void); /* since the last clear */
/* Message index (0 = first since the clear); null when it has been overwritten or is not there. */
ORLKIT_API const char* OrlSimMessageText(uint32_t index);
ORLKIT_API int32_t OrlSimMessageClass(uint32_t index);
ORLKIT_API void OrlSimClearMessages(void);

/* Targets. A target that is installed has an element size (1, 2 or 4) and named memory
 * areas; its address syntax is the name of one of its areas. With acceptAll set its parse
 * accepts every address. Returns 0, or -1 for an impossible request. */
ORLKIT_API int32_t OrlSimInstall(uint32_t target, uint32_t elementSize, int32_t acceptAll);
ORLKIT_API void OrlSimUninstall(uint32_t target);
/* Adds (or finds) a zero-filled area; returns its memory, or null when there is no room. */
ORLKIT_API uint8_t* OrlSimAddArea(uint32_t target, const char* name, uint32_t size);
ORLKIT_API uint8_t* OrlSimFindArea(uint32_t target, const char* name, uint32_t* size);

/* The next times calls of kind (or every call while times is 0) to target return result
 * without doing anything else. A later injection for the same kind and target replaces it. */
ORLKIT_API void OrlSimInject(uint32_t kind, uint32_t target, uint32_t result, uint32_t times);
ORLKIT_API void OrlSimClearInjections(void);

/* Copy-only mode, for benchmarks: while on, every block call to any target answers 0 at once,
 * a read copies count elements of elementSize bytes (at most 80) from memory and a write
 * copies them into it; nothing is logged, injected or locked, so it suits one thread only. */
ORLKIT_API void OrlSimSetCopyOnly(int32_t on, uint8_t* memory, uint32_t elementSize);

ORLKIT_API uint32_t OrlSimCallCount(void); /* since the last clear */
/* Call index (0 = first since the clear); null when it has been overwritten or is not there. */
ORLKIT_API const OrlSimCall* OrlSimCallAt(uint32_t index);
ORLKIT_API void OrlSimClearCalls(void);

#ifdef __cplusplus
}
#endif

#endif
