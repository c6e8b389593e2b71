// Several instances in one process at once, as several driver entries in one host list: each
// thread has its own instance record, own number, INT file, target and gates, and repeatedly
// cold-starts, parses, writes and reads back, while other threads ask for the driver
// information and send the refused and no-operation codes. Every result and value is checked.
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "host_fixture.h"

namespace {

constexpr int kInstances = 8;
constexpr int kRounds = 60;

class ConcurrencyTest : public HostTest {};

int32_t CallZelMain(DriverInstance* instance, uint32_t code, int32_t ownNumber, void* subject) {
  DriverRequest request{};
  request.instance = instance;
  request.functionCode = code;
  request.ownNumber = ownNumber;
  request.subject = subject;
  return DriverEntry()(&request);
}

// One instance's life: returns the number of failed checks.
int RunInstance(int index) {
  const int32_t ownNumber = 2 + index;
  const uint8_t target = static_cast<uint8_t>(index + 1);
  const int32_t width = 4 + index;  // each instance reads its own file
  int failures = 0;
  DriverInstance instance{};
  char address[64];
  std::snprintf(address, sizeof(address), "%-*s%02u%02u%u", static_cast<int>(width), "MEM",
                unsigned{target}, 16u, 4u);
  for (int round = 0; round < kRounds; ++round) {
    failures += CallZelMain(&instance, 1, ownNumber, nullptr) != 0;
    failures += instance.gasLength != width;
    failures += instance.swapTable[target] != (index % 4);
    failures += instance.gateCount != 0;

    GateDefinition gate{};
    gate.addressString = address;
    gate.gateType = ZEL_GATE_TYPE_STRING;
    failures += CallZelMain(&instance, 3, ownNumber, &gate) != 0;
    failures += gate.targetNumber != target || gate.sizeWord != 0x00040010u;

    char value[ZEL_VALUE_BUFFER_SIZE] = {};
    std::snprintf(value, sizeof(value), "inst %d round %d", index, round);
    const std::string written = value;
    GateAccess access{};
    access.addressString = address;
    access.targetNumber = gate.targetNumber;
    access.sizeWord = gate.sizeWord;
    access.valueBuffer = value;
    failures += CallZelMain(&instance, 7, ownNumber, &access) != 0;
    failures += written != value;

    char readBack[ZEL_VALUE_BUFFER_SIZE];
    std::memset(readBack, 'x', sizeof(readBack));
    access.valueBuffer = readBack;
    failures += CallZelMain(&instance, 5, ownNumber, &access) != 0;
    failures += written != readBack;
  }
  return failures;
}

// The codes that touch no instance, from threads of their own.
int RunBystander(const std::atomic<bool>& stop) {
  int failures = 0;
  const std::string name = "String gates communication drv";
  do {
    DriverInfo info{};
    failures += CallZelMain(nullptr, 14, 0, &info) != 0;
    failures += info.word0 != 70 || info.instanceSize != 24 || name != info.nameBlock;
    for (uint32_t code : {4u, 6u, 10u}) failures += CallZelMain(nullptr, code, 0, nullptr) != 1;
    for (uint32_t code : {2u, 11u, 12u, 13u, 15u}) {
      failures += CallZelMain(nullptr, code, 0, nullptr) != 0;
    }
    for (uint32_t code : {0u, 8u, 9u, 16u, 17u, 0xFFFFFFFFu}) {
      failures += CallZelMain(nullptr, code, 0, nullptr) != 2;
    }
  } while (!stop.load());
  return failures;
}

TEST_F(ConcurrencyTest, InstancesRunSideBySide) {
  OrlSimSetLogging(0);
  for (int index = 0; index < kInstances; ++index) {
    const uint8_t target = static_cast<uint8_t>(index + 1);
    char name[16];
    std::snprintf(name, sizeof(name), "ZELSTR%02d.INT", 2 + index);
    WriteFile(name, "GASLENGTH=" + std::to_string(4 + index) + "\r\n" + std::to_string(target) +
                        " = " + std::to_string(index % 4) + "\r\n");
    ASSERT_EQ(OrlSimInstall(target, 4, 0), 0);
    ASSERT_NE(OrlSimAddArea(target, "MEM", 16), nullptr);
  }
  std::vector<int> failures(kInstances + 2, 0);
  std::atomic<bool> stop{false};
  std::vector<std::thread> bystanders;
  for (int i = 0; i < 2; ++i) {
    bystanders.emplace_back([&, i] { failures[kInstances + i] = RunBystander(stop); });
  }
  std::vector<std::thread> instances;
  for (int i = 0; i < kInstances; ++i) {
    instances.emplace_back([&, i] { failures[i] = RunInstance(i); });
  }
  for (std::thread& thread : instances) thread.join();
  stop = true;
  for (std::thread& thread : bystanders) thread.join();
  for (int i = 0; i < kInstances + 2; ++i) EXPECT_EQ(failures[i], 0) << "thread " << i;
}

}  // namespace
