// The exchanges between the host's byte order and a target driver's, in place on the first 80
// bytes of a value buffer. Each stops right after the unit or group that holds the first NUL,
// reads and writes nothing at offset 80 or beyond, and undoes itself when applied again.
#ifndef ZELSTR_GATES_BYTE_ORDER_H
#define ZELSTR_GATES_BYTE_ORDER_H

namespace zelstr {

constexpr unsigned kSwapBytesCode = 1;  // swap code bit: bytes of each 16-bit unit
constexpr unsigned kSwapWordsCode = 2;  // swap code bit: 16-bit halves of each 32-bit group

// Exchanges the two bytes of each 16-bit unit (offsets 0-1, 2-3, ... 78-79): p q -> q p.
void SwapBytes(char* buffer);

// Exchanges the 16-bit halves of each 32-bit group (offsets 0-3, ... 76-79): p q r s -> r s p q.
void SwapWords(char* buffer);

}  // namespace zelstr

#endif
