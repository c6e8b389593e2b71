// err of our stand-in host library: formats the message (%s and %u only, bounded), keeps it
// with its class and shows it.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "orlkit/sim_state.h"

namespace orlkit {
namespace {

void Append(char* out, std::size_t size, std::size_t& used, const char* text) {
  while (*text != '\0' && used + 1 < size) out[used++] = *text++;
}

void FormatMessage(char* out, std::size_t size, const char* format, va_list values) {
  std::size_t used = 0;
  for (const char* f = format; *f != '\0' && used + 1 < size; ++f) {
    if (f[0] == '%' && f[1] == 's') {
      const char* text = va_arg(values, const char*);
      Append(out, size, used, text != nullptr ? text : "(null)");
      ++f;
    } else if (f[0] == '%' && f[1] == 'u') {
      char digits[16];
      std::snprintf(digits, sizeof(digits), "%u", va_arg(values, unsigned));
      Append(out, size, used, digits);
      ++f;
    } else if (f[0] == '%' && f[1] == '%') {
      out[used++] = '%';
      ++f;
    } else {
      out[used++] = *f;
    }
  }
  out[used] = '\0';
}

}  // namespace

void KeepMessage(int32_t messageClass, const char* text) {
  SimState& state = State();
  OrlSimMessageSink sink = nullptr;
  void* context = nullptr;
  bool echo = false;
  {
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.logging) {
      Message& slot = state.messages[state.messageCount % ORL_SIM_LOG_ENTRIES];
      slot.messageClass = messageClass;
      std::snprintf(slot.text, sizeof(slot.text), "%s", text);
      ++state.messageCount;
    }
    sink = state.sink;
    context = state.sinkContext;
    echo = state.echo;
  }
  if (sink != nullptr) {
    sink(messageClass, text, context);
  } else if (echo) {
    std::fprintf(stderr, "[%d] %s\n", static_cast<int>(messageClass), text);
  }
}

}  // namespace orlkit

extern "C" ORLKIT_API void err(int32_t messageClass, const char* format, ...) {
  char text[ORL_SIM_MESSAGE_SIZE];
  va_list values;
  va_start(values, format);
  orlkit::FormatMessage(text, sizeof(text), format, values);
  va_end(values);
  orlkit::KeepMessage(messageClass, text);
}

extern "C" ORLKIT_API void OrlSimSetEcho(int32_t on) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.echo = on != 0;
}

extern "C" ORLKIT_API void OrlSimSetMessageSink(OrlSimMessageSink sink, void* context) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.sink = sink;
  state.sinkContext = context;
}

extern "C" ORLKIT_API void OrlSimSetLogging(int32_t on) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.logging = on != 0;
}

extern "C" ORLKIT_API uint32_t OrlSimMessageCount(void) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.messageCount;
}

namespace {

const orlkit::Message* MessageAt(uint32_t index) {
  orlkit::SimState& state = orlkit::State();
  if (index >= state.messageCount || state.messageCount - index > ORL_SIM_LOG_ENTRIES) {
    return nullptr;
  }
  return &state.messages[index % ORL_SIM_LOG_ENTRIES];
}

}  // namespace

extern "C" ORLKIT_API const char* OrlSimMessageText(uint32_t index) {
  std::lock_guard<std::mutex> lock(orlkit::State().mutex);
  const orlkit::Message* message = MessageAt(index);
  return message != nullptr ? message->text : nullptr;
}

extern "C" ORLKIT_API int32_t OrlSimMessageClass(uint32_t index) {
  std::lock_guard<std::mutex> lock(orlkit::State().mutex);
  const orlkit::Message* message = MessageAt(index);
  return message != nullptr ? message->messageClass : -1;
}

extern "C" ORLKIT_API void OrlSimClearMessages(void) {
  orlkit::SimState& state = orlkit::State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.messageCount = 0;
}
