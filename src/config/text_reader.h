// Reads a file opened in binary mode piece by piece, as a line read in text mode gives it, the
// same on every platform: CR LF reads as LF, a CR before anything else stays, and a byte 0x1A
// ends the file. A piece is the characters up to and including the next LF, but at most 255.
#ifndef ZELSTR_CONFIG_TEXT_READER_H
#define ZELSTR_CONFIG_TEXT_READER_H

#include <cstddef>
#include <cstdio>

namespace zelstr {

constexpr std::size_t kPieceSize = 256;  // at most 255 characters and a NUL

struct TextReader {
  std::FILE* file;
  std::size_t next;
  std::size_t filled;
  bool ended;
  unsigned char chunk[4096];
};

void StartReading(TextReader& reader, std::FILE* file);

// Fills piece with the next piece and a NUL after it; false at the end of the file or when a
// read fails, which ends the reading like the end of the file. The piece may hold NUL bytes of
// the file; what follows such a byte is still part of the piece.
bool ReadPiece(TextReader& reader, char (&piece)[kPieceSize]);

}  // namespace zelstr

#endif
