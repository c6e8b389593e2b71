// The host's side of every call: records owned here, the stand-in host library's logs read
// around each call.
#include "zelhost/host_session.h"

#include "config/int_file.h"

#include <cstdio>

namespace zelhost {

CallOutcome HostSession::Call(uint32_t code, void* subject) {
  const uint32_t firstMessage = OrlSimMessageCount();
  const uint32_t firstCall = OrlSimCallCount();
  DriverRequest request{};
  request.instance = &instance_;
  request.functionCode = code;
  request.ownNumber = ownNumber_;
  request.subject = subject;
  CallOutcome outcome;
  outcome.result = zelMain_(&request);
  for (uint32_t i = firstMessage; i < OrlSimMessageCount(); ++i) {
    const char* text = OrlSimMessageText(i);
    outcome.messages.push_back({OrlSimMessageClass(i), text != nullptr ? text : "(lost)"});
  }
  for (uint32_t i = firstCall; i < OrlSimCallCount(); ++i) {
    if (const OrlSimCall* call = OrlSimCallAt(i)) outcome.blockCalls.push_back(*call);
  }
  return outcome;
}

CallOutcome HostSession::ColdStart(int32_t ownNumber, const std::filesystem::path& directory) {
  ownNumber_ = ownNumber;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(directory);
  CallOutcome outcome = Call(1, nullptr);
  std::filesystem::current_path(previous);
  return outcome;
}

CallOutcome HostSession::Parse(const std::string& name, const std::string& address,
                               int32_t gateType) {
  auto gate = std::make_unique<HostGate>();
  gate->address = address;
  gate->definition.addressString = gate->address.c_str();
  gate->definition.gateType = gateType;
  CallOutcome outcome = Call(3, &gate->definition);
  gate->accepted = outcome.result == 0;
  gates_[name] = std::move(gate);
  return outcome;
}

CallOutcome HostSession::Transfer(HostGate& gate, bool write) {
  GateAccess access{};
  access.addressString = gate.address.c_str();
  access.targetNumber = gate.definition.targetNumber;
  access.sizeWord = gate.definition.sizeWord;
  access.valueBuffer = gate.value;
  return Call(write ? 7 : 5, &access);
}

HostGate* HostSession::FindGate(const std::string& name) {
  const auto found = gates_.find(name);
  return found == gates_.end() ? nullptr : found->second.get();
}

std::string ExchangesFor(uint32_t elementSize, uint8_t swapCode) {
  const bool bytes = elementSize >= 2 && (swapCode & 1) != 0;
  const bool words = elementSize == 4 && (swapCode & 2) != 0;
  if (bytes && words) return "SwapBytes, SwapWords";
  if (bytes) return "SwapBytes";
  if (words) return "SwapWords";
  return "none";
}

std::string IntFileFor(const std::filesystem::path& directory, int32_t ownNumber) {
  // The driver's own search, in the directory the cold start ran in.
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(directory);
  char name[zelstr::kIntFileNameSize];
  std::FILE* file = zelstr::OpenIntFile("STR", name, ownNumber);
  std::filesystem::current_path(previous);
  if (file == nullptr) return "";
  std::fclose(file);
  return name;
}

}  // namespace zelhost
