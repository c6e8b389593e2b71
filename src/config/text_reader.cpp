// Our own text-mode translation, so that an INT file reads identically whichever C runtime
// the driver is built with.
#include "config/text_reader.h"

namespace zelstr {
namespace {

constexpr int kEnd = -1;
constexpr int kEndOfFileMark = 0x1A;

bool Refill(TextReader& reader) {
  if (reader.ended) return false;
  reader.next = 0;
  reader.filled = std::fread(reader.chunk, 1, sizeof(reader.chunk), reader.file);
  if (reader.filled == 0) {
    reader.ended = true;  // end of file or read error: both end the reading
    return false;
  }
  return true;
}

int PeekRaw(TextReader& reader) {
  if (reader.next == reader.filled && !Refill(reader)) return kEnd;
  return reader.chunk[reader.next];
}

int NextChar(TextReader& reader) {
  const int c = PeekRaw(reader);
  if (c == kEnd) return kEnd;
  if (c == kEndOfFileMark) {
    reader.ended = true;
    reader.next = reader.filled;
    return kEnd;
  }
  ++reader.next;
  if (c == '\r' && PeekRaw(reader) == '\n') {
    ++reader.next;
    return '\n';
  }
  return c;
}

}  // namespace

void StartReading(TextReader& reader, std::FILE* file) {
  reader.file = file;
  reader.next = 0;
  reader.filled = 0;
  reader.ended = false;
}

bool ReadPiece(TextReader& reader, char (&piece)[kPieceSize]) {
  std::size_t length = 0;
  while (length < kPieceSize - 1) {
    const int c = NextChar(reader);
    if (c == kEnd) break;
    piece[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  piece[length] = '\0';
  return length > 0;
}

}  // namespace zelstr
