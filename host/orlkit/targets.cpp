// The simulated target drivers behind OrlParseBlock, OrlReadBlock and OrlWriteBlock. A target
// keeps named memory areas; an address names an area, a read copies count elements of the
// target's element size out of it and a write copies them in, never beyond the area and never
// more than 80 bytes. Every call is logged with its arguments, and any result can be injected.
#include <cstring>

#include "orlkit/sim_state.h"

namespace orlkit {

SimState& State() {
  static SimState state;
  return state;
}

namespace {

constexpr uint32_t kDone = 0;
constexpr uint32_t kRejected = 1;
constexpr uint32_t kNotInstalled = 3;

void CopyName(char* out, std::size_t size, const char* text) {
  std::size_t used = 0;
  while (text[used] != '\0' && used + 1 < size) {
    out[used] = text[used];
    ++used;
  }
  out[used] = '\0';
}

Area* FindArea(Target& target, const char* name) {
  for (Area& area : target.areas) {
    if (area.name[0] != '\0' && std::strcmp(area.name, name) == 0) {
      return &area;
    }
  }
  return nullptr;
}

bool TakeInjection(Target& target, uint32_t kind, uint32_t& result) {
  for (uint32_t slot : {kind, static_cast<uint32_t>(ORL_SIM_ANY_CALL)}) {
    Injection& injection = target.injections[slot];
    if (!injection.active) continue;
    result = injection.result;
    if (injection.timesLeft > 0 && --injection.timesLeft == 0) injection.active = false;
    return true;
  }
  return false;
}

// Decides one block call; buffer is null for a parse. Called with the lock held.
uint32_t Serve(uint32_t kind, uint8_t targetByte, const char* address, uint32_t count,
               char* buffer, OrlSimCall& call) {
  Target& target = State().targets[targetByte];
  uint32_t result = kDone;
  if (TakeInjection(target, kind, result)) return result;
  if (!target.installed) return kNotInstalled;
  Area* area = FindArea(target, address);
  const uint64_t bytes = uint64_t{count} * target.elementSize;
  if (area == nullptr) return kind == ORL_SIM_PARSE && target.acceptAll ? kDone : kRejected;
  if (bytes > area->size || bytes > ORL_SIM_MAX_TRANSFER) return kRejected;
  if (kind == ORL_SIM_READ) std::memcpy(buffer, area->memory, bytes);
  if (kind == ORL_SIM_WRITE) std::memcpy(area->memory, buffer, bytes);
  if (buffer != nullptr) {
    std::memcpy(call.bytes, buffer, bytes);
    call.moved = static_cast<uint32_t>(bytes);
  }
  return kDone;
}

// Copy-only mode: the least a target driver can do.
uint32_t CopyOnly(const SimState& state, uint32_t kind, uint32_t count, char* buffer) {
  uint64_t bytes = uint64_t{count} * state.copyElementSize;
  if (bytes > ORL_SIM_MAX_TRANSFER) bytes = ORL_SIM_MAX_TRANSFER;
  if (kind == ORL_SIM_READ) std::memcpy(buffer, state.copyMemory, bytes);
  if (kind == ORL_SIM_WRITE) std::memcpy(state.copyMemory, buffer, bytes);
  return kDone;
}

uint32_t Call(uint32_t kind, uint32_t mode, uint8_t target, const char* address, uint32_t count,
              char* buffer, uint32_t last) {
  SimState& state = State();
  if (state.copyOnly) return CopyOnly(state, kind, count, buffer);
  std::lock_guard<std::mutex> lock(state.mutex);
  OrlSimCall& call = state.calls[state.callCount % ORL_SIM_LOG_ENTRIES];
  std::memset(&call, 0, sizeof(call));
  call.kind = kind;
  call.mode = mode;
  call.target = target;
  CopyName(call.address, sizeof(call.address), address);
  call.count = count;
  call.last = last;
  call.result = Serve(kind, target, address, count, buffer, call);
  ++state.callCount;
  return call.result;
}

}  // namespace
}  // namespace orlkit

extern "C" ORLKIT_API uint32_t ZEL_STDCALL OrlParseBlock(uint32_t mode, uint8_t target,
                                                         const char* address, uint32_t count) {
  return orlkit::Call(ORL_SIM_PARSE, mode, target, address, count, nullptr, 0);
}

extern "C" ORLKIT_API uint32_t ZEL_STDCALL OrlReadBlock(uint32_t mode, uint8_t target,
                                                        const char* address, uint32_t count,
                                                        char* buffer, uint32_t last) {
  return orlkit::Call(ORL_SIM_READ, mode, target, address, count, buffer, last);
}

extern "C" ORLKIT_API uint32_t ZEL_STDCALL OrlWriteBlock(uint32_t mode, uint8_t target,
                                                         const char* address, uint32_t count,
                                                         char* buffer) {
  return orlkit::Call(ORL_SIM_WRITE, mode, target, address, count, buffer, 0);
}

extern "C" ORLKIT_API void OrlSimReset(void) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.echo = true;
  state.logging = true;
  state.sink = nullptr;
  state.sinkContext = nullptr;
  state.messageCount = 0;
  state.callCount = 0;
  std::memset(state.targets, 0, sizeof(state.targets));
  state.copyOnly = false;
  state.copyMemory = nullptr;
}

extern "C" ORLKIT_API int32_t OrlSimInstall(uint32_t target, uint32_t elementSize,
                                            int32_t acceptAll) {
  if (target >= ORL_SIM_TARGETS) return -1;
  if (elementSize != 1 && elementSize != 2 && elementSize != 4) return -1;
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  orlkit::Target& slot = state.targets[target];
  slot.installed = true;
  slot.acceptAll = acceptAll != 0;
  slot.elementSize = elementSize;
  return 0;
}

extern "C" ORLKIT_API void OrlSimUninstall(uint32_t target) {
  if (target >= ORL_SIM_TARGETS) return;
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.targets[target].installed = false;
}

extern "C" ORLKIT_API uint8_t* OrlSimAddArea(uint32_t target, const char* name, uint32_t size) {
  if (target >= ORL_SIM_TARGETS || name == nullptr || name[0] == '\0' ||
      std::strlen(name) >= ORL_SIM_AREA_NAME || size > ORL_SIM_AREA_SIZE) {
    return nullptr;
  }
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  orlkit::Target& slot = state.targets[target];
  orlkit::Area* area = orlkit::FindArea(slot, name);
  if (area == nullptr) {
    for (orlkit::Area& free : slot.areas) {
      if (free.name[0] == '\0') {
        area = &free;
        break;
      }
    }
    if (area == nullptr) return nullptr;
    orlkit::CopyName(area->name, sizeof(area->name), name);
  }
  area->size = size;
  std::memset(area->memory, 0, sizeof(area->memory));
  return area->memory;
}

extern "C" ORLKIT_API uint8_t* OrlSimFindArea(uint32_t target, const char* name, uint32_t* size) {
  if (target >= ORL_SIM_TARGETS || name == nullptr) return nullptr;
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  orlkit::Area* area = orlkit::FindArea(state.targets[target], name);
  if (area == nullptr) return nullptr;
  if (size != nullptr) *size = area->size;
  return area->memory;
}

extern "C" ORLKIT_API void OrlSimInject(uint32_t kind, uint32_t target, uint32_t result,
                                        uint32_t times) {
  if (target >= ORL_SIM_TARGETS || kind > ORL_SIM_WRITE) return;
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.targets[target].injections[kind] = orlkit::Injection{true, result, times};
}

extern "C" ORLKIT_API void OrlSimClearInjections(void) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  for (orlkit::Target& target : state.targets) {
    for (orlkit::Injection& injection : target.injections) injection = orlkit::Injection{};
  }
}

extern "C" ORLKIT_API void OrlSimSetCopyOnly(int32_t on, uint8_t* memory, uint32_t elementSize) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.copyOnly = on != 0 && memory != nullptr;
  state.copyMemory = memory;
  state.copyElementSize = elementSize;
}

extern "C" ORLKIT_API uint32_t OrlSimCallCount(void) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.callCount;
}

extern "C" ORLKIT_API const OrlSimCall* OrlSimCallAt(uint32_t index) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  if (index >= state.callCount || state.callCount - index > ORL_SIM_LOG_ENTRIES) return nullptr;
  return &state.calls[index % ORL_SIM_LOG_ENTRIES];
}

extern "C" ORLKIT_API void OrlSimClearCalls(void) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.callCount = 0;
}
