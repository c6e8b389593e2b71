// zelhost swaps: given the bytes as a target driver holds them, reads them through the real
// driver under every element size and swap code and shows the host text of each, the most
// readable first, so that the right swap code is found in one look.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>

#include "orlkit/orlkit_sim.h"
#include "zelhost/commands.h"
#include "zelhost/host_session.h"
#include "zelhost/scratch_directory.h"

namespace zelhost {
namespace {

constexpr char kUsage[] = "usage: zelhost swaps HEX...   (the bytes as the target holds them)";
constexpr uint32_t kTarget = 1;
constexpr char kArea[] = "BYTES";

struct Reading {
  std::string text;
  std::map<uint32_t, std::vector<unsigned>> codesBySize;  // element size -> swap codes
  int score = 0;
};

std::string Ways(const Reading& reading, std::size_t byteCount) {
  std::string out;
  for (const auto& [size, codes] : reading.codesBySize) {
    out += "\n      element size " + std::to_string(size) + ", swap code ";
    for (std::size_t i = 0; i < codes.size(); ++i) {
      if (i > 0) out += i + 1 == codes.size() ? " or " : ", ";
      out += std::to_string(codes[i]);
    }
    const std::size_t length = (byteCount + size - 1) / size * size;
    if (length != byteCount) out += "  (NUL-padded to " + std::to_string(length) + " bytes)";
  }
  return out;
}

// Higher for text that reads like text: printable characters count, a lower-case letter
// straight before an upper-case one (the mark of exchanged pairs) counts against it.
int Readability(const std::string& text) {
  int score = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    score += (c >= 0x20 && c < 0x7F) ? 4 : -4;
    if (i + 1 < text.size() && std::islower(c) &&
        std::isupper(static_cast<unsigned char>(text[i + 1]))) {
      score -= 3;
    }
  }
  return score;
}

}  // namespace

int SwapsCommand(const Arguments& arguments, ZelMainFunction zelMain) {
  std::string joined;
  for (const std::string& argument : arguments) joined += argument + " ";
  Bytes bytes;
  std::string why;
  if (arguments.empty() || !ParseHex(joined, bytes, why)) {
    std::cerr << "zelhost swaps: " << (arguments.empty() ? "no bytes given" : why) << "\n"
              << kUsage << "\n";
    return kCannotRun;
  }
  if (bytes.size() > 80) {
    std::cerr << "zelhost swaps: " << bytes.size() << " bytes; a string gate holds 80 at most\n";
    return kCannotRun;
  }

  ScratchDirectory scratch;
  OrlSimReset();
  OrlSimSetEcho(0);
  std::vector<Reading> readings;
  std::cout << "zelhost swaps: " << bytes.size() << " bytes as the target driver holds them\n  "
            << HexView(bytes, "  ") << "\n";
  for (uint8_t code = 0; code < 4; ++code) {
    std::ofstream(scratch.Path() / "ZELSTR.INT") << kTarget << " = " << unsigned{code} << "\n";
    for (const uint32_t size : {1u, 2u, 4u}) {
      const std::size_t length = (bytes.size() + size - 1) / size * size;
      OrlSimInstall(kTarget, size, 0);
      uint8_t* memory = OrlSimAddArea(kTarget, kArea, 80);
      std::copy(bytes.begin(), bytes.end(), memory);
      HostSession session(zelMain);
      session.ColdStart(2, scratch.Path());
      char address[32];
      std::snprintf(address, sizeof(address), "%-8s%02u%02u%u", kArea, unsigned{kTarget},
                    static_cast<unsigned>(length), static_cast<unsigned>(size));
      HostGate* gate = nullptr;
      if (session.Parse("bytes", address, ZEL_GATE_TYPE_STRING).result == 0) {
        gate = session.FindGate("bytes");
      }
      if (gate == nullptr || session.Transfer(*gate, false).result != 0) {
        std::cerr << "zelhost swaps: the driver did not read the bytes back\n";
        return kCannotRun;
      }
      const std::string text(gate->value);
      auto same = std::find_if(readings.begin(), readings.end(),
                               [&](const Reading& r) { return r.text == text; });
      if (same == readings.end()) {
        readings.push_back({text, {}, Readability(text)});
        same = readings.end() - 1;
      }
      same->codesBySize[size].push_back(code);
    }
  }
  std::stable_sort(readings.begin(), readings.end(),
                   [](const Reading& a, const Reading& b) { return a.score > b.score; });
  std::cout << "host text under each element size and swap code, the most readable first:\n";
  for (const Reading& reading : readings) {
    std::cout << "  " << Quote(reading.text, '"') << Ways(reading, bytes.size()) << "\n";
  }
  return kClean;
}

}  // namespace zelhost
