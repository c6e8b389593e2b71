// What each request costs on the host's scan thread, beside the least code that does the same
// work (its floor), in one run. After the run a table gives each benchmark's ratio to its
// floor and whether it meets its aim:
//   dispatch within 2 ns of its floor; reads and writes at most 1.5 times their floor;
//   ColdStart at most 2 times reading the file with fgets, and linear in the file's size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "entry/handlers.h"
#include "gates/byte_order.h"
#include "orlkit/orlkit_sim.h"

namespace {

void Discard(int32_t, const char*, void*) {}

// The stand-in host library with a discarding err and targets that only copy bytes.
struct QuietHost {
  QuietHost() {
    OrlSimReset();
    OrlSimSetLogging(0);
    OrlSimSetMessageSink(&Discard, nullptr);
  }
};

int32_t Call(DriverInstance* instance, uint32_t code, void* subject, int32_t ownNumber = 2) {
  DriverRequest request{};
  request.instance = instance;
  request.functionCode = code;
  request.ownNumber = ownNumber;
  request.subject = subject;
  benchmark::DoNotOptimize(request);
  return ZelMain(&request);
}

// ---- Dispatch --------------------------------------------------------------------------

using FloorHandler = int32_t (*)(const DriverRequest*);
int32_t FloorNothing(const DriverRequest*) { return 0; }
int32_t FloorRefuse(const DriverRequest*) {
  err(ZEL_CLASS_INFO, "ZELSTR> BlockParse() not supported");
  return 1;
}
FloorHandler floorTable[17] = {nullptr,      nullptr, FloorNothing, nullptr, FloorRefuse};

int32_t FloorDispatch(const DriverRequest* request) {
  const uint32_t code = request->functionCode;
  if (code > 16) return 2;
  FloorHandler handler = floorTable[code];
  return handler == nullptr ? 2 : handler(request);
}

void Dispatch(benchmark::State& state, uint32_t code, bool floor) {
  QuietHost host;
  DriverInstance instance{};
  DriverRequest request{};
  request.instance = &instance;
  request.functionCode = code;
  for (auto _ : state) {
    benchmark::DoNotOptimize(request);
    benchmark::DoNotOptimize(floor ? FloorDispatch(&request) : ZelMain(&request));
  }
}
BENCHMARK_CAPTURE(Dispatch, ZelMain/NoOp, 2u, false);
BENCHMARK_CAPTURE(Dispatch, Floor/ZelMain/NoOp, 2u, true);
BENCHMARK_CAPTURE(Dispatch, ZelMain/Refused, 4u, false);
BENCHMARK_CAPTURE(Dispatch, Floor/ZelMain/Refused, 4u, true);
BENCHMARK_CAPTURE(Dispatch, ZelMain/Above16, 17u, false);
BENCHMARK_CAPTURE(Dispatch, Floor/ZelMain/Above16, 17u, true);

// ---- GetZelInfo -------------------------------------------------------------------------

const char kFloorName[] = "String gates communication drv";

void Info(benchmark::State& state, bool floor) {
  QuietHost host;
  DriverInfo info{};
  for (auto _ : state) {
    if (floor) {
      info.word0 = 70;
      info.nameBlock = kFloorName;
      info.banner = kFloorName;
      info.instanceSize = 24;
      info.word16 = 1;
      info.half20 = 0;
      info.word28 = 0;
      err(ZEL_CLASS_INFO, "ZELSTR> GetZelInfo() exited");
    } else {
      Call(nullptr, 14, &info);
    }
    benchmark::DoNotOptimize(info);
  }
}
BENCHMARK_CAPTURE(Info, GetZelInfo, false);
BENCHMARK_CAPTURE(Info, Floor/GetZelInfo, true);

// ---- SingleParse ------------------------------------------------------------------------

// Fixed columns, no white space or signs: the same decoding, and the same call.
int32_t FloorParse(GateDefinition& gate, DriverInstance& instance) {
  char work[256];
  const std::size_t length = std::strlen(gate.addressString);
  if (length != 13) return 1;
  std::memcpy(work, gate.addressString, length + 1);
  gate.gateNumber = instance.gateCount++;
  gate.targetNumber = static_cast<uint32_t>((work[8] - '0') * 10 + (work[9] - '0'));
  const uint32_t strlength = static_cast<uint32_t>((work[10] - '0') * 10 + (work[11] - '0'));
  const uint32_t elementSize = static_cast<uint32_t>(work[12] - '0');
  gate.sizeWord = elementSize << 16 | strlength;
  std::size_t end = 8;
  while (end > 0 && work[end - 1] == ' ') --end;
  work[end] = '\0';
  return OrlParseBlock(0, static_cast<uint8_t>(gate.targetNumber), work,
                       strlength / elementSize) == 0 ? 0 : 1;
}

void Parse(benchmark::State& state, bool floor) {
  QuietHost host;
  uint8_t memory[80] = {};
  OrlSimSetCopyOnly(1, memory, 2);
  DriverInstance instance{};
  instance.gasLength = 8;
  GateDefinition gate{};
  gate.addressString = "AB12    03202";
  gate.gateType = ZEL_GATE_TYPE_STRING;
  for (auto _ : state) {
    benchmark::DoNotOptimize(floor ? FloorParse(gate, instance) : Call(&instance, 3, &gate));
    benchmark::DoNotOptimize(gate);
  }
}
BENCHMARK_CAPTURE(Parse, SingleParse, false);
BENCHMARK_CAPTURE(Parse, Floor/SingleParse, true);

// ---- SingleRead and SingleWrite -----------------------------------------------------------

void Transfer(benchmark::State& state, uint32_t code, bool floor) {
  const auto elementSize = static_cast<uint32_t>(state.range(0));
  const auto swapCode = static_cast<uint8_t>(state.range(1));
  QuietHost host;
  uint8_t memory[80];
  for (int i = 0; i < 80; ++i) memory[i] = static_cast<uint8_t>('0' + i % 64);
  OrlSimSetCopyOnly(1, memory, elementSize);
  DriverInstance instance{};
  instance.gasLength = 8;
  instance.swapTable[3] = swapCode;
  char value[ZEL_VALUE_BUFFER_SIZE];
  std::memcpy(value, memory, 80);
  value[80] = '\0';
  GateAccess access{};
  access.addressString = elementSize == 1 ? "AB12    03801" : elementSize == 2 ? "AB12    03802"
                                                                                : "AB12    03804";
  access.targetNumber = 3;
  access.sizeWord = elementSize << 16 | 80u;
  access.valueBuffer = value;
  const bool bytes = elementSize >= 2 && (swapCode & 1);
  const bool words = elementSize == 4 && (swapCode & 2);
  for (auto _ : state) {
    if (!floor) {
      benchmark::DoNotOptimize(Call(&instance, code, &access));
    } else if (code == 5) {
      std::memcpy(value, memory, 80);
      if (words) zelstr::SwapWords(value);
      if (bytes) zelstr::SwapBytes(value);
      value[80] = '\0';
    } else {
      if (bytes) zelstr::SwapBytes(value);
      if (words) zelstr::SwapWords(value);
      std::memcpy(memory, value, 80);
      if (words) zelstr::SwapWords(value);
      if (bytes) zelstr::SwapBytes(value);
    }
    benchmark::DoNotOptimize(value);
    benchmark::ClobberMemory();
  }
}
void TransferArguments(benchmark::internal::Benchmark* b) {
  b->ArgNames({"size", "swap"});
  for (int64_t size : {1, 2, 4}) {
    for (int64_t swap = 0; swap < 4; ++swap) b->Args({size, swap});
  }
}
BENCHMARK_CAPTURE(Transfer, SingleRead, 5u, false)->Apply(TransferArguments);
BENCHMARK_CAPTURE(Transfer, Floor/SingleRead, 5u, true)->Apply(TransferArguments);
BENCHMARK_CAPTURE(Transfer, SingleWrite, 7u, false)->Apply(TransferArguments);
BENCHMARK_CAPTURE(Transfer, Floor/SingleWrite, 7u, true)->Apply(TransferArguments);

// ---- ColdStart ----------------------------------------------------------------------------

// An INT file of lines lines: comments, swap entries and width settings, all valid.
std::filesystem::path IntFileDirectory(int64_t lines) {
  static std::map<int64_t, std::filesystem::path> made;
  auto& directory = made[lines];
  if (!directory.empty()) return directory;
  directory = std::filesystem::temp_directory_path() /
              ("zelstr-bench-" + std::to_string(lines) + "-" + std::to_string(::getpid()));
  std::filesystem::create_directories(directory);
  std::ofstream file(directory / "ZELSTR.INT", std::ios::binary);
  const char* kinds[] = {"* target drivers of line 2\r\n", "3 = 1\r\n", "GASLENGTH=8\r\n",
                         "12 = 3\r\n", "\r\n"};
  for (int64_t i = 0; i < lines; ++i) file << kinds[i % 5];
  return directory;
}

void ColdStart(benchmark::State& state, bool floor) {
  const int64_t lines = state.range(0);
  QuietHost host;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(IntFileDirectory(lines));
  DriverInstance instance{};
  for (auto _ : state) {
    if (floor) {
      std::FILE* file = std::fopen("ZELSTR.INT", "r");
      char line[256];
      int64_t count = 0;
      while (std::fgets(line, sizeof(line), file) != nullptr) ++count;
      std::fclose(file);
      benchmark::DoNotOptimize(count);
    } else {
      benchmark::DoNotOptimize(Call(&instance, 1, nullptr));
    }
  }
  std::filesystem::current_path(previous);
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK_CAPTURE(ColdStart, ColdStart, false)->ArgName("lines")->Arg(10)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ColdStart, Floor/ColdStart, true)->ArgName("lines")->Arg(10)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// ---- The table of ratios ------------------------------------------------------------------

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    // With repetitions the median stands for the benchmark, else its one run.
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type != Run::RT_Iteration && !median) continue;
      nanoseconds_[run.run_name.str()] = run.GetAdjustedCPUTime() * Scale(run.time_unit);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Prints benchmark, floor, ratio and aim for every pair; returns the number of aims missed.
  int PrintRatios() const {
    std::printf("\n%-44s %12s %12s %8s  %s\n", "benchmark", "ns", "floor ns", "ratio", "aim");
    int missed = 0;
    for (const auto& [name, ns] : nanoseconds_) {
      if (name.find("/Floor/") != std::string::npos) continue;
      const std::size_t slash = name.find('/');
      const std::string floorName = name.substr(0, slash) + "/Floor" + name.substr(slash);
      const auto floor = nanoseconds_.find(floorName);
      if (floor == nanoseconds_.end()) continue;
      std::string aim = "-";
      bool met = true;
      if (name.rfind("Dispatch/", 0) == 0) {
        met = ns - floor->second <= 2.0;
        aim = "within 2 ns";
      } else if (name.rfind("Transfer/", 0) == 0) {
        met = ns <= 1.5 * floor->second;
        aim = "at most 1.5x";
      } else if (name.rfind("ColdStart/", 0) == 0) {
        met = ns <= 2.0 * floor->second;
        aim = "at most 2x";
      }
      if (aim != "-") aim += met ? "  met" : "  MISSED";
      missed += met ? 0 : 1;
      std::printf("%-44s %12.1f %12.1f %8.2f  %s\n", name.c_str(), ns, floor->second,
                  ns / floor->second, aim.c_str());
    }
    const auto small = nanoseconds_.find("ColdStart/ColdStart/lines:10000");
    const auto large = nanoseconds_.find("ColdStart/ColdStart/lines:1000000");
    if (small != nanoseconds_.end() && large != nanoseconds_.end()) {
      const double growth = large->second / small->second;
      const bool met = growth <= 110.0;
      missed += met ? 0 : 1;
      std::printf("%-44s %12.1f %12.1f %8.2f  %s\n", "ColdStart 1,000,000 lines / 10,000 lines",
                  large->second, small->second, growth, met ? "at most 110x  met" : "at most 110x  MISSED");
    }
    return missed;
  }

 private:
  static double Scale(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond: return 1e9;
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kMicrosecond: return 1e3;
      default: return 1.0;
    }
  }
  std::map<std::string, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const int missed = reporter.PrintRatios();
  benchmark::Shutdown();
  std::printf("%d aims missed\n", missed);
  return 0;
}
