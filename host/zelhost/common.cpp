// Small pieces that every zelhost command uses.
#include <cerrno>
#include <cstdlib>

#include "zelhost/commands.h"

namespace zelhost {

bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
  if (text.empty() || text.size() > 20) return false;
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
  value = parsed;
  return true;
}

std::string ShowMessage(int32_t messageClass, const std::string& text) {
  std::string label = "[" + std::to_string(messageClass) + "]";
  while (label.size() < 5) label += ' ';
  return label + text;
}

}  // namespace zelhost
