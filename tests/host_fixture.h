// The host side of a test: one zero-filled instance record, a fresh temporary working
// directory for INT files, and the stand-in host library's message and call logs.
#ifndef ZELSTR_TESTS_HOST_FIXTURE_H
#define ZELSTR_TESTS_HOST_FIXTURE_H

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "orlkit/orlkit_sim.h"
#include "zelstr/host_interface.h"

// How this test binary reaches the driver: linked in, or loaded by name.
ZelMainFunction DriverEntry();

struct HostMessage {
  int32_t messageClass;
  std::string text;
  bool operator==(const HostMessage& other) const {
    return messageClass == other.messageClass && text == other.text;
  }
};
void PrintTo(const HostMessage& message, std::ostream* out);

// The build stamp that every cold start reports first.
bool IsBuildStamp(const HostMessage& message);

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts one case of a table: empty working directory, fresh logs and targets, and a
  // zero-filled instance record.
  void StartCase();

  int32_t Call(uint32_t code, void* subject = nullptr, int32_t ownNumber = 2);
  int32_t ColdStart(int32_t ownNumber = 2);
  // Writes a file of exactly these bytes into the working directory.
  void WriteFile(const std::string& name, const std::string& bytes);

  std::vector<HostMessage> Messages() const;
  // The messages after the build stamp of a cold start.
  std::vector<HostMessage> MessagesAfterStamp() const;
  std::vector<OrlSimCall> Calls() const;
  void ClearLogs();

  DriverInstance instance_{};

 private:
  std::filesystem::path previous_;
  std::filesystem::path directory_;
};

#endif
