// zelhost run SCENARIO: a line-oriented script that sets up simulated target drivers and INT
// files, cold-starts an instance, defines gates and reads and writes them through the real
// driver, printing each step. A bad line stops the run with its line number and what was
// expected (status 2). The language is described in docs/scenario.md.
#include <cctype>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "orlkit/orlkit_sim.h"
#include "zelhost/commands.h"
#include "zelhost/host_session.h"
#include "zelhost/scratch_directory.h"

namespace zelhost {
namespace {

constexpr char kCommands[] =
    "target, area, memory, show, inject, clear, intfile, directory, coldstart, gate, write, "
    "read, info, call, echo";

// The words of one line; a word that starts with a double quote is a quoted string.
struct Line {
  std::string text;
  std::vector<std::string> words;
};

struct Failure {
  std::string why;
};

class Scenario {
 public:
  Scenario(ZelMainFunction zelMain, std::filesystem::path base)
      : session_(zelMain), base_(std::move(base)), intDirectory_(scratch_.Path()) {}

  // Runs the lines; returns false with failure filled when one is bad.
  bool Run(std::istream& input, const std::string& name);

 private:
  void Execute(const Line& line, std::istream& input, std::size_t& number);
  void Target(const Line& line);
  void Area(const Line& line);
  void Memory(const Line& line);
  void Show(const Line& line);
  void Inject(const Line& line);
  void IntFile(const Line& line, std::istream& input, std::size_t& number);
  void ColdStart(const Line& line);
  void Gate(const Line& line);
  void Write(const Line& line);
  void Read(const Line& line);
  void CallCode(const Line& line);

  void PrintMessages(const CallOutcome& outcome);
  Bytes ValueOf(const Line& line, std::size_t at, const char* syntax);
  HostGate& GateNamed(const std::string& name);

  HostSession session_;
  std::filesystem::path base_;
  ScratchDirectory scratch_;
  std::filesystem::path intDirectory_;
  bool coldStarted_ = false;
};

[[noreturn]] void Fail(const std::string& why) { throw Failure{why}; }

void Expect(bool condition, const std::string& syntax) {
  if (!condition) Fail("expected " + syntax);
}

long long Number(const std::string& word, long long low, long long high, const std::string& what) {
  long long value = 0;
  if (!ParseNumber(word, low, high, value)) {
    Fail("expected " + what + " from " + std::to_string(low) + " to " + std::to_string(high) + ", not '" +
         word + "'");
  }
  return value;
}

Line Split(const std::string& text) {
  Line line;
  line.text = text;
  std::size_t at = 0;
  while (at < text.size()) {
    if (std::isspace(static_cast<unsigned char>(text[at]))) {
      ++at;
      continue;
    }
    if (text[at] == '"') {
      std::string value;
      std::string why;
      if (!ParseQuoted(text, at, value, why)) Fail("expected " + why);
      line.words.push_back("\"" + value);  // marked as quoted
    } else {
      const std::size_t end = text.find_first_of(" \t", at);
      line.words.push_back(text.substr(at, end == std::string::npos ? end : end - at));
      at = end == std::string::npos ? text.size() : end;
    }
  }
  return line;
}

bool IsQuoted(const std::string& word) { return !word.empty() && word[0] == '"'; }
std::string Unquoted(const std::string& word) { return word.substr(1); }

// The text of the line after its first count words.
std::string After(const std::string& text, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < count; ++i) {
    at = text.find_first_not_of(" \t", at);
    at = text.find_first_of(" \t", at);
    if (at == std::string::npos) return "";
  }
  const std::size_t start = text.find_first_not_of(" \t", at);
  return start == std::string::npos ? "" : text.substr(start);
}

// The bytes the target received or gave in the call's block transfer, in the target's order.
void PrintTargetBytes(const CallOutcome& outcome) {
  if (outcome.blockCalls.empty() || outcome.blockCalls.back().moved == 0) {
    std::cout << "  target (nothing moved)\n";
    return;
  }
  const OrlSimCall& call = outcome.blockCalls.back();
  std::cout << "  target " << HexView(Bytes(call.bytes, call.bytes + call.moved), "         ")
            << "\n";
}

Bytes GateBytes(const HostGate& gate) {
  const uint32_t length = gate.definition.sizeWord & 0xFFFFu;
  return Bytes(gate.value, gate.value + (length <= 80 ? length : 80));
}

bool Scenario::Run(std::istream& input, const std::string& name) {
  std::string text;
  std::size_t number = 0;
  while (std::getline(input, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos || text[start] == '#') continue;
    try {
      const Line line = Split(text.substr(start));
      std::cout << "> " << line.text << "\n";
      Execute(line, input, number);
    } catch (const Failure& failure) {
      std::cout.flush();
      std::cerr << name << ":" << number << ": " << failure.why << "\n";
      return false;
    }
  }
  return true;
}

void Scenario::Execute(const Line& line, std::istream& input, std::size_t& number) {
  const std::string& command = line.words[0];
  if (command == "target") return Target(line);
  if (command == "area") return Area(line);
  if (command == "memory") return Memory(line);
  if (command == "show") return Show(line);
  if (command == "inject") return Inject(line);
  if (command == "clear") {
    Expect(line.words.size() == 2 && line.words[1] == "injections", "'clear injections'");
    OrlSimClearInjections();
    return;
  }
  if (command == "intfile") return IntFile(line, input, number);
  if (command == "directory") {
    Expect(line.words.size() == 2, "'directory PATH'");
    const std::string path = IsQuoted(line.words[1]) ? Unquoted(line.words[1]) : line.words[1];
    const std::filesystem::path directory = base_ / path;
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
      Fail("expected a directory, and there is none at '" + path + "'");
    }
    intDirectory_ = directory;
    return;
  }
  if (command == "coldstart") return ColdStart(line);
  if (command == "gate") return Gate(line);
  if (command == "write") return Write(line);
  if (command == "read") return Read(line);
  if (command == "info") {
    Expect(line.words.size() == 1, "'info' alone");
    DriverInfo info{};
    const CallOutcome outcome = session_.Call(14, &info);
    std::cout << "  GetZelInfo -> " << outcome.result << "\n";
    PrintMessages(outcome);
    std::cout << "  name " << Quote(info.nameBlock, '"') << "\n  description "
              << Quote(info.nameBlock + std::strlen(info.nameBlock) + 1, '"') << "\n";
    return;
  }
  if (command == "call") return CallCode(line);
  if (command == "echo") {
    std::cout << "  " << After(line.text, 1) << "\n";
    return;
  }
  Fail("unknown command '" + command + "'; commands: " + kCommands);
}

void Scenario::Target(const Line& line) {
  const char* syntax = "'target N size 1|2|4 [accept-all]' or 'target N missing'";
  Expect(line.words.size() >= 3, syntax);
  const auto target = static_cast<uint32_t>(Number(line.words[1], 0, 255, "a target number"));
  if (line.words[2] == "missing") {
    Expect(line.words.size() == 3, syntax);
    OrlSimUninstall(target);
    return;
  }
  Expect(line.words[2] == "size" && line.words.size() >= 4 && line.words.size() <= 5, syntax);
  const long long size = Number(line.words[3], 1, 4, "an element size");
  Expect(size != 3, "an element size of 1, 2 or 4");
  const bool acceptAll = line.words.size() == 5;
  Expect(!acceptAll || line.words[4] == "accept-all", syntax);
  OrlSimInstall(target, static_cast<uint32_t>(size), acceptAll ? 1 : 0);
}

void Scenario::Area(const Line& line) {
  Expect(line.words.size() == 4, "'area N NAME SIZE'");
  const auto target = static_cast<uint32_t>(Number(line.words[1], 0, 255, "a target number"));
  const std::string name = IsQuoted(line.words[2]) ? Unquoted(line.words[2]) : line.words[2];
  const auto size = static_cast<uint32_t>(Number(line.words[3], 0, ORL_SIM_AREA_SIZE, "a size"));
  if (name.empty() || name.size() >= ORL_SIM_AREA_NAME) {
    Fail("expected an area name of 1 to 31 characters");
  }
  if (OrlSimAddArea(target, name.c_str(), size) == nullptr) {
    Fail("no room for another area in target " + std::to_string(target) + " (16 at most)");
  }
}

Bytes Scenario::ValueOf(const Line& line, std::size_t at, const char* syntax) {
  Expect(line.words.size() > at + 1, syntax);
  if (line.words[at] == "text") {
    Expect(line.words.size() == at + 2 && IsQuoted(line.words[at + 1]), syntax);
    const std::string text = Unquoted(line.words[at + 1]);
    return Bytes(text.begin(), text.end());
  }
  Expect(line.words[at] == "hex", syntax);
  Bytes bytes;
  std::string why;
  if (!ParseHex(After(line.text, at + 1), bytes, why)) Fail("expected hex bytes: " + why);
  return bytes;
}

void Scenario::Memory(const Line& line) {
  const char* syntax = "'memory N NAME text \"...\"' or 'memory N NAME hex HH ...'";
  Expect(line.words.size() >= 4, syntax);
  const auto target = static_cast<uint32_t>(Number(line.words[1], 0, 255, "a target number"));
  uint32_t size = 0;
  uint8_t* memory = OrlSimFindArea(target, line.words[2].c_str(), &size);
  if (memory == nullptr) Fail("expected an area '" + line.words[2] + "' of target " + line.words[1]);
  const Bytes bytes = ValueOf(line, 3, syntax);
  if (bytes.size() > size) Fail("expected at most " + std::to_string(size) + " bytes for this area");
  std::copy(bytes.begin(), bytes.end(), memory);
}

void Scenario::Show(const Line& line) {
  Expect(line.words.size() == 3, "'show N NAME'");
  const auto target = static_cast<uint32_t>(Number(line.words[1], 0, 255, "a target number"));
  uint32_t size = 0;
  const uint8_t* memory = OrlSimFindArea(target, line.words[2].c_str(), &size);
  if (memory == nullptr) Fail("expected an area '" + line.words[2] + "' of target " + line.words[1]);
  std::cout << "  ZEL" << target << " " << line.words[2] << ", " << size << " bytes:\n    "
            << HexView(Bytes(memory, memory + size), "    ") << "\n";
}

void Scenario::Inject(const Line& line) {
  const char* syntax = "'inject parse|read|write|any N RESULT [times K]'";
  Expect(line.words.size() == 4 || line.words.size() == 6, syntax);
  const std::string& kind = line.words[1];
  uint32_t code = 0;
  if (kind == "parse") {
    code = ORL_SIM_PARSE;
  } else if (kind == "read") {
    code = ORL_SIM_READ;
  } else if (kind == "write") {
    code = ORL_SIM_WRITE;
  } else {
    Expect(kind == "any", syntax);
    code = ORL_SIM_ANY_CALL;
  }
  const auto target = static_cast<uint32_t>(Number(line.words[2], 0, 255, "a target number"));
  const auto result = static_cast<uint32_t>(Number(line.words[3], 0, UINT32_MAX, "a result"));
  uint32_t times = 0;
  if (line.words.size() == 6) {
    Expect(line.words[4] == "times", syntax);
    times = static_cast<uint32_t>(Number(line.words[5], 1, 1000000, "a count"));
  }
  OrlSimInject(code, target, result, times);
}

void Scenario::IntFile(const Line& line, std::istream& input, std::size_t& number) {
  const char* syntax = "'intfile NAME [crlf]', then the file's lines, then 'end'";
  Expect(line.words.size() == 2 || line.words.size() == 3, syntax);
  const bool crlf = line.words.size() == 3;
  Expect(!crlf || line.words[2] == "crlf", syntax);
  const std::string& name = line.words[1];
  if (name.find_first_of("/\\") != std::string::npos) Fail("expected a file name without a directory");
  std::string content;
  std::string text;
  std::size_t lines = 0;
  const std::size_t opened = number;
  for (;;) {
    if (!std::getline(input, text)) {
      number = opened;
      Fail("expected 'end' to close the intfile opened here");
    }
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text == "end") break;
    content += text + (crlf ? "\r\n" : "\n");
    ++lines;
  }
  std::ofstream(scratch_.Path() / name, std::ios::binary) << content;
  intDirectory_ = scratch_.Path();
  std::cout << "  " << name << ": " << lines << " lines" << (crlf ? " with CR LF" : "") << "\n";
}

void Scenario::ColdStart(const Line& line) {
  Expect(line.words.size() == 1 || (line.words.size() == 3 && line.words[1] == "own"),
         "'coldstart' or 'coldstart own N'");
  int32_t own = 2;
  if (line.words.size() == 3) {
    own = static_cast<int32_t>(Number(line.words[2], INT32_MIN, INT32_MAX, "an own number"));
  }
  const CallOutcome outcome = session_.ColdStart(own, intDirectory_);
  coldStarted_ = true;
  std::cout << "  ColdStart -> " << outcome.result << "\n";
  PrintMessages(outcome);
  const DriverInstance& instance = session_.Instance();
  std::cout << "  gasLength " << instance.gasLength << ", swap codes";
  bool any = false;
  for (unsigned target = 0; target < ZEL_SWAP_ENTRIES; ++target) {
    if (instance.swapTable[target] == 0) continue;
    std::cout << " ZEL" << target << "=" << unsigned{instance.swapTable[target]};
    any = true;
  }
  std::cout << (any ? "" : " all 0") << "\n";
}

void Scenario::Gate(const Line& line) {
  const char* syntax = "'gate NAME \"ADDRESS STRING\" [type T]'";
  Expect((line.words.size() == 3 || line.words.size() == 5) && IsQuoted(line.words[2]), syntax);
  if (!coldStarted_) Fail("expected 'coldstart' before the first gate, as the host does");
  int32_t type = ZEL_GATE_TYPE_STRING;
  if (line.words.size() == 5) {
    Expect(line.words[3] == "type", syntax);
    type = static_cast<int32_t>(Number(line.words[4], INT32_MIN, INT32_MAX, "a gate type"));
  }
  const CallOutcome outcome = session_.Parse(line.words[1], Unquoted(line.words[2]), type);
  std::cout << "  SingleParse -> " << outcome.result << "\n";
  PrintMessages(outcome);
  if (outcome.result != 0) return;
  const HostGate& gate = *session_.FindGate(line.words[1]);
  const uint32_t length = gate.definition.sizeWord & 0xFFFFu;
  const uint32_t size = gate.definition.sizeWord >> 16;
  const uint32_t target = gate.definition.targetNumber;
  std::cout << "  gate " << gate.definition.gateNumber << ": ZEL" << target << ", strlen "
            << length << ", " << size << "-byte elements, count " << length / size
            << ", address part "
            << Quote(outcome.blockCalls.empty() ? "" : outcome.blockCalls.back().address)
            << ", exchanges " << ExchangesFor(size, session_.Instance().swapTable[target]) << "\n";
}

HostGate& Scenario::GateNamed(const std::string& name) {
  HostGate* gate = session_.FindGate(name);
  if (gate == nullptr) Fail("expected a gate defined by 'gate " + name + " ...'");
  if (!gate->accepted) {
    Fail("expected a gate that SingleParse accepted ('" + name + "' was refused)");
  }
  return *gate;
}

void Scenario::Write(const Line& line) {
  const char* syntax = "'write NAME text \"...\"' or 'write NAME hex HH ...'";
  Expect(line.words.size() >= 3, syntax);
  HostGate& gate = GateNamed(line.words[1]);
  const Bytes value = ValueOf(line, 2, syntax);
  if (value.size() > 80) Fail("expected a value of at most 80 bytes");
  std::memset(gate.value, 0, sizeof(gate.value));
  std::copy(value.begin(), value.end(), gate.value);
  const CallOutcome outcome = session_.Transfer(gate, true);
  std::cout << "  SingleWrite -> " << outcome.result << "\n";
  PrintMessages(outcome);
  std::cout << "  host   " << HexView(GateBytes(gate), "         ") << "\n";
  PrintTargetBytes(outcome);
}

void Scenario::Read(const Line& line) {
  Expect(line.words.size() == 2, "'read NAME'");
  HostGate& gate = GateNamed(line.words[1]);
  const CallOutcome outcome = session_.Transfer(gate, false);
  std::cout << "  SingleRead -> " << outcome.result << "\n";
  PrintMessages(outcome);
  PrintTargetBytes(outcome);
  if (outcome.result != 0) return;
  std::cout << "  host   " << HexView(GateBytes(gate), "         ") << "\n";
  std::cout << "  text   " << Quote(gate.value, '"') << "\n";
}

void Scenario::CallCode(const Line& line) {
  Expect(line.words.size() == 2, "'call CODE'");
  const auto code = static_cast<uint32_t>(Number(line.words[1], 0, UINT32_MAX, "a function code"));
  Expect(code != 1 && code != 3 && code != 5 && code != 7 && code != 14,
         "a code without a record of its own (use coldstart, gate, read, write, info)");
  const CallOutcome outcome = session_.Call(code, nullptr);
  std::cout << "  ZelMain(" << code << ") -> " << outcome.result << "\n";
  PrintMessages(outcome);
}

void Scenario::PrintMessages(const CallOutcome& outcome) {
  for (const DriverMessage& message : outcome.messages) {
    std::cout << "  " << ShowMessage(message.messageClass, message.text) << "\n";
  }
}

}  // namespace

int RunCommand(const Arguments& arguments, ZelMainFunction zelMain) {
  if (arguments.size() != 1) {
    std::cerr << "usage: zelhost run SCENARIO\n";
    return kCannotRun;
  }
  std::error_code error;
  std::ifstream file(arguments[0], std::ios::binary);
  if (!std::filesystem::is_regular_file(arguments[0], error) || !file) {
    std::cerr << "zelhost run: cannot read '" << arguments[0] << "'\n";
    return kCannotRun;
  }
  OrlSimReset();
  OrlSimSetEcho(0);
  Scenario scenario(zelMain, std::filesystem::path(arguments[0]).parent_path());
  return scenario.Run(file, arguments[0]) ? kClean : kCannotRun;
}

}  // namespace zelhost
