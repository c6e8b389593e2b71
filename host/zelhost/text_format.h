// How zelhost shows bytes and strings: quoted text with escapes, hex with an ASCII column,
// and the reverse, reading hex dumps and quoted strings that users type.
#ifndef ZELHOST_TEXT_FORMAT_H
#define ZELHOST_TEXT_FORMAT_H

#include <cstdint>
#include <string>
#include <vector>

namespace zelhost {

using Bytes = std::vector<uint8_t>;

// 'text' with every byte outside printable ASCII as \xHH (and \t, \r, \n by name).
std::string Quote(const std::string& text, char mark = '\'');

// "47 69 74  |Git|": rows of 16 bytes, each with its ASCII column ('.' for the rest);
// continuation rows start with indent.
std::string HexView(const Bytes& bytes, const std::string& indent);

// Reads hex bytes: "47 69 74", "476974", "0x47,0x69" and dumps with offsets and ASCII
// columns ("0000: 47 69 74  |Git|") alike. False with a reason on anything else.
bool ParseHex(const std::string& text, Bytes& bytes, std::string& why);

// Reads a double-quoted string with escapes \\ \" \t \r \n \xHH starting at text[at]; on
// success at is just past the closing quote.
bool ParseQuoted(const std::string& text, std::size_t& at, std::string& value, std::string& why);

}  // namespace zelhost

#endif
