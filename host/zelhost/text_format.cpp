// Formatting and reading of bytes for zelhost's output and input.
#include "zelhost/text_format.h"

#include <cctype>
#include <cstdio>

namespace zelhost {
namespace {

bool Printable(uint8_t c) { return c >= 0x20 && c < 0x7F; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Hex2(uint8_t c) {
  char text[4];
  std::snprintf(text, sizeof(text), "%02X", c);
  return text;
}

}  // namespace

std::string Quote(const std::string& text, char mark) {
  std::string out(1, mark);
  for (const char ch : text) {
    const uint8_t c = static_cast<uint8_t>(ch);
    if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (Printable(c)) {
      out += ch;
    } else {
      out += "\\x" + Hex2(c);
    }
  }
  out += mark;
  return out;
}

std::string HexView(const Bytes& bytes, const std::string& indent) {
  if (bytes.empty()) return "(no bytes)";
  constexpr std::size_t kRow = 16;
  std::string out;
  for (std::size_t row = 0; row < bytes.size(); row += kRow) {
    if (row > 0) out += "\n" + indent;
    std::string hex;
    std::string ascii;
    for (std::size_t i = row; i < row + kRow; ++i) {
      if (i < bytes.size()) {
        hex += Hex2(bytes[i]) + " ";
        ascii += Printable(bytes[i]) ? static_cast<char>(bytes[i]) : '.';
      } else if (bytes.size() > kRow) {
        hex += "   ";
      }
    }
    out += hex + " |" + ascii + "|";
  }
  return out;
}

bool ParseHex(const std::string& text, Bytes& bytes, std::string& why) {
  bytes.clear();
  std::size_t at = 0;
  while (at < text.size()) {
    const char c = text[at];
    if (std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == ':' || c == '-') {
      ++at;
      continue;
    }
    if (c == '|') {  // the ASCII column of a dump: skip to its closing bar
      const std::size_t close = text.find('|', at + 1);
      if (close == std::string::npos) break;
      at = close + 1;
      continue;
    }
    if (c == '0' && at + 1 < text.size() && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
      at += 2;
      continue;
    }
    std::size_t end = at;
    while (end < text.size() && HexDigit(text[end]) >= 0) ++end;
    const bool separated = end == text.size() || std::isspace(static_cast<unsigned char>(text[end])) ||
                           text[end] == ',' || text[end] == ':' || text[end] == '|' || text[end] == '-';
    if (end == at || !separated) {
      const std::size_t stop = text.find_first_of(" \t,", at);
      why = "'" + text.substr(at, stop == std::string::npos ? stop : stop - at) +
            "' is not a hex byte";
      return false;
    }
    const bool offset = end < text.size() && text[end] == ':' && end - at > 2;
    if (offset) {  // "0000:" at the start of a dump row
      at = end + 1;
      continue;
    }
    if ((end - at) % 2 != 0) {
      why = "'" + text.substr(at, end - at) + "' has an odd number of hex digits";
      return false;
    }
    for (std::size_t i = at; i < end; i += 2) {
      bytes.push_back(static_cast<uint8_t>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1])));
    }
    at = end;
  }
  if (bytes.empty()) {
    why = "no hex bytes";
    return false;
  }
  return true;
}

bool ParseQuoted(const std::string& text, std::size_t& at, std::string& value, std::string& why) {
  value.clear();
  if (at >= text.size() || text[at] != '"') {
    why = "a double-quoted string";
    return false;
  }
  for (std::size_t i = at + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      at = i + 1;
      return true;
    }
    if (c != '\\') {
      value += c;
      continue;
    }
    if (++i >= text.size()) break;
    switch (text[i]) {
      case '\\': value += '\\'; break;
      case '"': value += '"'; break;
      case 't': value += '\t'; break;
      case 'r': value += '\r'; break;
      case 'n': value += '\n'; break;
      case 'x': {
        const int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0) {
          why = "\\x takes two hex digits";
          return false;
        }
        value += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        why = std::string("unknown escape \\") + text[i];
        return false;
    }
  }
  why = "a closing double quote";
  return false;
}

}  // namespace zelhost
