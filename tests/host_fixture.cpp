// The host side shared by every test binary.
#include "host_fixture.h"

#include <atomic>
#include <chrono>
#include <fstream>

void PrintTo(const HostMessage& message, std::ostream* out) {
  *out << "[" << message.messageClass << "] " << message.text;
}

bool IsBuildStamp(const HostMessage& message) {
  // "ZELSTR> version compiled on Oct 16 2003 at time 12:32:30", a blank before a one-digit day.
  const std::string prefix = "ZELSTR> version compiled on ";
  const std::string& text = message.text;
  if (message.messageClass != ZEL_CLASS_INFO || text.rfind(prefix, 0) != 0 ||
      text.size() != prefix.size() + 28) {
    return false;
  }
  const std::string stamp = text.substr(prefix.size());
  const std::string months = "JanFebMarAprMayJunJulAugSepOctNovDec";
  const auto digit = [&](std::size_t at) { return stamp[at] >= '0' && stamp[at] <= '9'; };
  const std::size_t month = months.find(stamp.substr(0, 3));
  return month != std::string::npos && month % 3 == 0 && stamp[3] == ' ' &&
         (stamp[4] == ' ' || digit(4)) && digit(5) && stamp[6] == ' ' && digit(7) && digit(8) &&
         digit(9) && digit(10) && stamp.compare(11, 9, " at time ") == 0 && digit(20) &&
         digit(21) && stamp[22] == ':' && digit(23) && digit(24) && stamp[25] == ':' &&
         digit(26) && digit(27);
}

void HostTest::SetUp() {
  OrlSimReset();
  OrlSimSetEcho(0);
  static std::atomic<unsigned> serial{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  previous_ = std::filesystem::current_path();
  directory_ = std::filesystem::temp_directory_path() /
               ("zelstr-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
  std::filesystem::create_directories(directory_);
  std::filesystem::current_path(directory_);
}

void HostTest::StartCase() {
  OrlSimReset();
  OrlSimSetEcho(0);
  instance_ = DriverInstance{};
  for (const auto& entry : std::filesystem::directory_iterator(directory_)) {
    std::filesystem::remove_all(entry.path());
  }
}

void HostTest::TearDown() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

int32_t HostTest::Call(uint32_t code, void* subject, int32_t ownNumber) {
  DriverRequest request{};
  request.instance = &instance_;
  request.functionCode = code;
  request.ownNumber = ownNumber;
  request.subject = subject;
  return DriverEntry()(&request);
}

int32_t HostTest::ColdStart(int32_t ownNumber) { return Call(1, nullptr, ownNumber); }

void HostTest::WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream file(directory_ / name, std::ios::binary);
  file << bytes;
}

std::vector<HostMessage> HostTest::Messages() const {
  std::vector<HostMessage> messages;
  for (uint32_t i = 0; i < OrlSimMessageCount(); ++i) {
    const char* text = OrlSimMessageText(i);
    messages.push_back({OrlSimMessageClass(i), text != nullptr ? text : "(overwritten)"});
  }
  return messages;
}

std::vector<HostMessage> HostTest::MessagesAfterStamp() const {
  std::vector<HostMessage> messages = Messages();
  EXPECT_FALSE(messages.empty());
  if (messages.empty()) return messages;
  EXPECT_TRUE(IsBuildStamp(messages.front())) << messages.front().text;
  messages.erase(messages.begin());
  return messages;
}

std::vector<OrlSimCall> HostTest::Calls() const {
  std::vector<OrlSimCall> calls;
  for (uint32_t i = 0; i < OrlSimCallCount(); ++i) calls.push_back(*OrlSimCallAt(i));
  return calls;
}

void HostTest::ClearLogs() {
  OrlSimClearMessages();
  OrlSimClearCalls();
}
