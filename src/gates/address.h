// Gate address strings: "AB12    03202" is an address part of gasLength columns (here 8, in the
// target driver's own syntax, filled with blanks), then the target number (03), the string
// length in bytes (20) and the element size (2).
#ifndef ZELSTR_GATES_ADDRESS_H
#define ZELSTR_GATES_ADDRESS_H

#include <cstddef>
#include <cstdint>

namespace zelstr {

constexpr std::size_t kAddressBufferSize = 256;  // at most 255 characters and a NUL
constexpr uint32_t kMaxStringLength = 80;
constexpr uint32_t kMaxTargetNumber = 15;
constexpr int32_t kMaxGasLength = 31;  // widest address part an INT file may set

// Copies source into destination and cuts it to its first width characters without their
// trailing blanks (leading and inner blanks, and other white space, stay). A source shorter
// than width is copied unchanged. Never writes beyond the destination: of a source of 256
// characters or more only the first 255 are taken, and a width outside 0 to 255 is held to it.
void ExtractAddress(const char* source, char (&destination)[kAddressBufferSize], int32_t width);

// ExtractAddress for a caller that has measured source already: length is strlen(source).
void CutAddressPart(const char* source, std::size_t length,
                    char (&destination)[kAddressBufferSize], int32_t width);

// Copies at most 255 characters of source and a NUL; returns the whole length of source, so
// that a length of 256 or more says the copy was cut.
std::size_t CopyAddressString(const char* source, char (&destination)[kAddressBufferSize]);

// The two halves of the size word that SingleParse stores and the host hands back.
constexpr uint32_t StringLengthOf(uint32_t sizeWord) { return sizeWord & 0xFFFFu; }
constexpr uint32_t ElementSizeOf(uint32_t sizeWord) { return sizeWord >> 16; }
constexpr uint32_t MakeSizeWord(uint32_t length, uint32_t elementSize) {
  return (elementSize << 16) | length;
}
constexpr bool IsElementSize(uint32_t size) { return size == 1 || size == 2 || size == 4; }

}  // namespace zelstr

#endif
