/* The host interface of the string-gate driver: the calling convention, the records that the
 * host and the driver exchange, the four functions of the host library ORLKIT that the driver
 * imports, and the driver's one export ZelMain. Every layout here is the host's 32-bit layout;
 * on a 64-bit build the records keep their field order with natural alignment. */
#ifndef ZELSTR_HOST_INTERFACE_H
#define ZELSTR_HOST_INTERFACE_H

#include <stddef.h>
#include <stdint.h>
#ifdef __cplusplus
#include <type_traits>
#endif

/* ---- Calling convention and linkage ------------------------------------------------------
 * ZEL_STDCALL: the callee removes the arguments. It only means something on 32-bit x86; on
 * every other target there is one convention and the macro is empty.
 * ZEL_EXPORT: marks ZelMain for export. A Windows DLL exports it through its module-definition
 * file, so only ELF builds need the visibility attribute.
 * ORLKIT_API: marks the functions that the host library exports (our stand-in builds it). */
#if defined(_MSC_VER) && defined(_M_IX86)
#define ZEL_STDCALL __stdcall
#elif defined(__GNUC__) && defined(__i386__)
#define ZEL_STDCALL __attribute__((stdcall))
#else
#define ZEL_STDCALL
#endif

#if defined(_WIN32)
#define ZEL_EXPORT
#define ORLKIT_API
#elif defined(__GNUC__)
#define ZEL_EXPORT __attribute__((visibility("default")))
#define ORLKIT_API __attribute__((visibility("default")))
#else
#define ZEL_EXPORT
#define ORLKIT_API
#endif

#if defined(__GNUC__)
#define ZEL_PRINTF_LIKE(f, v) __attribute__((format(printf, f, v)))
#else
#define ZEL_PRINTF_LIKE(f, v)
#endif

/* True where pointers have the host's 32 bits, so that the records have its exact layout. */
#define ZEL_HOST_LAYOUT (UINTPTR_MAX == 0xFFFFFFFFu)

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Constants of the host contract ------------------------------------------------------ */
enum {
  ZEL_CLASS_INFO = 8,   /* information lines and every failure to decode or move a gate */
  ZEL_CLASS_FAULT = 32  /* faults found at cold start */
};
#define ZEL_HANDLER_SLOTS 17u     /* function codes 0 to 16 */
#define ZEL_GATE_TYPE_STRING 7    /* the host's gateType of a string gate */
#define ZEL_SWAP_ENTRIES 18u      /* swap codes for target numbers 0 to 17 */
#define ZEL_VALUE_BUFFER_SIZE 81u /* up to 80 characters and a NUL */

/* ---- Records ----------------------------------------------------------------------------- */
struct DriverInstance;

/* What the host passes to ZelMain for every request; the driver only reads it. */
typedef struct DriverRequest {
  struct DriverInstance* instance; /* the instance being addressed */
  uint32_t functionCode;           /* compared as unsigned: 0 to 16 have slots */
  int32_t ownNumber;               /* this instance's place in the host's list */
  uint32_t hostWord12;             /* host data, never read */
  void* subject;                   /* DriverInfo, GateDefinition or GateAccess */
} DriverRequest;

/* The 24 bytes that the host keeps per instance: all that lives from one call to the next. */
typedef struct DriverInstance {
  uint16_t gateCount;                   /* gates numbered since the last cold start */
  uint8_t swapTable[ZEL_SWAP_ENTRIES];  /* swap code per target number 0 to 17 */
  int32_t gasLength;                    /* width of the address part, 0 to 31 */
} DriverInstance;

/* The host's record of one gate, handed to SingleParse. */
typedef struct GateDefinition {
  const char* addressString; /* the gate's NUL-terminated address string */
  uint32_t hostWord4;        /* host data, never touched */
  int32_t gateType;          /* 7 for a string gate */
  uint32_t hostWord12;       /* host data, never touched */
  uint32_t targetNumber;     /* written: target number 0 to 15 */
  uint32_t sizeWord;         /* written: low half string length, high half element size */
  uint32_t gateNumber;       /* written: the gate's sequence number */
  uint32_t word28;           /* written: all bits set */
  uint32_t word32;           /* written: 0 */
} GateDefinition;

/* The host's record of one gate, handed to SingleRead and SingleWrite. */
typedef struct GateAccess {
  const char* addressString; /* the address string that SingleParse accepted */
  uint32_t hostWord4;        /* host data, never read */
  uint32_t targetNumber;     /* as SingleParse stored it */
  uint32_t sizeWord;         /* as SingleParse stored it */
  uint8_t hostBytes16[24];   /* host data, never read */
  char* valueBuffer;         /* the host's buffer of at least 81 bytes */
} GateAccess;

/* The host's record that GetZelInfo fills. */
typedef struct DriverInfo {
  uint32_t word0;          /* written: 70 */
  const char* nameBlock;   /* written: name, NUL, description, NUL */
  const char* banner;      /* written: the 180-byte banner and its NUL */
  uint32_t instanceSize;   /* written: sizeof(DriverInstance) */
  uint32_t word16;         /* written: 1 */
  uint16_t half20;         /* written: 0 */
  uint8_t hostBytes22[6];  /* host data, never written */
  uint32_t word28;         /* written: 0 */
} DriverInfo;

#ifdef __cplusplus
#define ZEL_ASSERT_LAYOUT(T, size) \
  static_assert(std::is_standard_layout<T>::value, #T " must be standard layout"); \
  static_assert(!ZEL_HOST_LAYOUT || sizeof(T) == (size), #T " must have the host's size")
#define ZEL_ASSERT_OFFSET(T, field, offset) \
  static_assert(!ZEL_HOST_LAYOUT || offsetof(T, field) == (offset), #T "::" #field " offset")

ZEL_ASSERT_LAYOUT(DriverRequest, 20);
ZEL_ASSERT_OFFSET(DriverRequest, instance, 0);
ZEL_ASSERT_OFFSET(DriverRequest, functionCode, 4);
ZEL_ASSERT_OFFSET(DriverRequest, ownNumber, 8);
ZEL_ASSERT_OFFSET(DriverRequest, hostWord12, 12);
ZEL_ASSERT_OFFSET(DriverRequest, subject, 16);

ZEL_ASSERT_LAYOUT(DriverInstance, 24);
static_assert(sizeof(DriverInstance) == 24, "DriverInstance is 24 bytes on every build");
static_assert(offsetof(DriverInstance, gateCount) == 0, "DriverInstance::gateCount offset");
static_assert(offsetof(DriverInstance, swapTable) == 2, "DriverInstance::swapTable offset");
static_assert(offsetof(DriverInstance, gasLength) == 20, "DriverInstance::gasLength offset");

ZEL_ASSERT_LAYOUT(GateDefinition, 36);
ZEL_ASSERT_OFFSET(GateDefinition, addressString, 0);
ZEL_ASSERT_OFFSET(GateDefinition, hostWord4, 4);
ZEL_ASSERT_OFFSET(GateDefinition, gateType, 8);
ZEL_ASSERT_OFFSET(GateDefinition, hostWord12, 12);
ZEL_ASSERT_OFFSET(GateDefinition, targetNumber, 16);
ZEL_ASSERT_OFFSET(GateDefinition, sizeWord, 20);
ZEL_ASSERT_OFFSET(GateDefinition, gateNumber, 24);
ZEL_ASSERT_OFFSET(GateDefinition, word28, 28);
ZEL_ASSERT_OFFSET(GateDefinition, word32, 32);

ZEL_ASSERT_LAYOUT(GateAccess, 44);
ZEL_ASSERT_OFFSET(GateAccess, addressString, 0);
ZEL_ASSERT_OFFSET(GateAccess, hostWord4, 4);
ZEL_ASSERT_OFFSET(GateAccess, targetNumber, 8);
ZEL_ASSERT_OFFSET(GateAccess, sizeWord, 12);
ZEL_ASSERT_OFFSET(GateAccess, hostBytes16, 16);
ZEL_ASSERT_OFFSET(GateAccess, valueBuffer, 40);

ZEL_ASSERT_LAYOUT(DriverInfo, 32);
ZEL_ASSERT_OFFSET(DriverInfo, word0, 0);
ZEL_ASSERT_OFFSET(DriverInfo, nameBlock, 4);
ZEL_ASSERT_OFFSET(DriverInfo, banner, 8);
ZEL_ASSERT_OFFSET(DriverInfo, instanceSize, 12);
ZEL_ASSERT_OFFSET(DriverInfo, word16, 16);
ZEL_ASSERT_OFFSET(DriverInfo, half20, 20);
ZEL_ASSERT_OFFSET(DriverInfo, hostBytes22, 22);
ZEL_ASSERT_OFFSET(DriverInfo, word28, 28);

#undef ZEL_ASSERT_LAYOUT
#undef ZEL_ASSERT_OFFSET
#endif

/* ---- Host library ORLKIT ------------------------------------------------------------------
 * err: emits one message of class 8 or 32. The format's only conversions are %s and %u (a
 * 32-bit unsigned value), and it ends in no line break. The caller removes the arguments.
 * The block calls route through the driver numbered target (one byte) in the host's list.
 * The driver uses only the low 16 bits of their result:
 *   OrlParseBlock: 0 accepted, 1 address rejected, 3 target not installed, other failure.
 *   OrlReadBlock, OrlWriteBlock: 0 done, 1 address rejected, 2 recovery communication error,
 *   7 communication error, other failure.
 * count is the number of elements; mode, and the last argument of OrlReadBlock, are 0. */
ORLKIT_API void err(int32_t messageClass, const char* format, ...) ZEL_PRINTF_LIKE(2, 3);
ORLKIT_API uint32_t ZEL_STDCALL OrlParseBlock(uint32_t mode, uint8_t target, const char* address,
                                              uint32_t count);
ORLKIT_API uint32_t ZEL_STDCALL OrlReadBlock(uint32_t mode, uint8_t target, const char* address,
                                             uint32_t count, char* buffer, uint32_t last);
ORLKIT_API uint32_t ZEL_STDCALL OrlWriteBlock(uint32_t mode, uint8_t target, const char* address,
                                              uint32_t count, char* buffer);

/* ---- The driver's entry point -------------------------------------------------------------
 * Every request of the host, for every instance: returns 0 done, 1 failed and reported, or 2
 * when the function code has no handler. Exported under its plain name, stdcall. */
ZEL_EXPORT int32_t ZEL_STDCALL ZelMain(const DriverRequest* request);

/* How a host finds the entry point after loading the library by name. */
typedef int32_t(ZEL_STDCALL* ZelMainFunction)(const DriverRequest* request);

#ifdef __cplusplus
}
#endif

#endif
