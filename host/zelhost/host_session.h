// One driver instance as the host keeps it: its DriverInstance record, its own number and its
// gates, each with its GateDefinition, GateAccess and 81-byte value buffer. Every call goes
// through the loaded ZelMain, and the driver's messages of each call are handed back.
#ifndef ZELHOST_HOST_SESSION_H
#define ZELHOST_HOST_SESSION_H

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "orlkit/orlkit_sim.h"
#include "zelhost/text_format.h"
#include "zelstr/host_interface.h"

namespace zelhost {

struct DriverMessage {
  int32_t messageClass;
  std::string text;
};

struct CallOutcome {
  int32_t result = 0;
  std::vector<DriverMessage> messages;
  std::vector<OrlSimCall> blockCalls;  // what reached the simulated targets
};

struct HostGate {
  std::string address;  // owned here: the record points into it
  GateDefinition definition{};
  char value[ZEL_VALUE_BUFFER_SIZE] = {};
  bool accepted = false;
};

class HostSession {
 public:
  explicit HostSession(ZelMainFunction zelMain) : zelMain_(zelMain) {}

  // ZelMain with this instance and own number; subject as the code wants it.
  CallOutcome Call(uint32_t code, void* subject);
  // ColdStart with the INT files of directory (the host's working directory for the call).
  CallOutcome ColdStart(int32_t ownNumber, const std::filesystem::path& directory);
  // SingleParse of a new gate (the same name replaces an earlier gate).
  CallOutcome Parse(const std::string& name, const std::string& address, int32_t gateType);
  // SingleRead or SingleWrite of a gate, through a GateAccess made from its definition.
  CallOutcome Transfer(HostGate& gate, bool write);

  HostGate* FindGate(const std::string& name);
  DriverInstance& Instance() { return instance_; }
  int32_t OwnNumber() const { return ownNumber_; }

 private:
  ZelMainFunction zelMain_;
  DriverInstance instance_{};
  int32_t ownNumber_ = 2;
  std::map<std::string, std::unique_ptr<HostGate>> gates_;
};

// The exchanges that SingleRead and SingleWrite apply for an element size and swap code.
std::string ExchangesFor(uint32_t elementSize, uint8_t swapCode);

// The INT file that a cold start with this own number reads in directory, found by the
// driver's own search ("" when none is there).
std::string IntFileFor(const std::filesystem::path& directory, int32_t ownNumber);

}  // namespace zelhost

#endif
