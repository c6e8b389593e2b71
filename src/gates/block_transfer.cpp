// SingleRead and SingleWrite: move one string gate's value as a block of elements through its
// target driver, with the exchanges that the target's swap code and the element size select.
// A write always gives the host its buffer back in the host's order, and a read decodes what
// a write sends.
#include <cstring>

#include "entry/handlers.h"
#include "gates/address.h"
#include "gates/byte_order.h"

namespace zelstr {
namespace {

struct TransferTexts {
  const char* illegalGate;
  const char* parseError;
  const char* recoveryError;
  const char* communicationError;
  const char* otherResult;
};

constexpr TransferTexts kReadTexts = {
    "ZELSTR> SingleRead() illegal gate words in '%s': ZEL%u, strlen %u, # bytes %u",
    "ZELSTR> SingleRead() '%s' parse error on ZEL%u",
    "ZELSTR> SingleRead() recovery comm error ZEL%u",
    "ZELSTR> SingleRead() communication error ZEL%u",
    "ZELSTR> SingleRead() Orl5ReadBlock() ZEL%u rc %u",
};

constexpr TransferTexts kWriteTexts = {
    "ZELSTR> SingleWrite() illegal gate words in '%s': ZEL%u, strlen %u, # bytes %u",
    "ZELSTR> SingleWrite() '%s' parse error on ZEL%u",
    "ZELSTR> SingleWrite() recovery comm error ZEL%u",
    "ZELSTR> SingleWrite() communication error ZEL%u",
    "ZELSTR> SingleWrite() Orl5WriteBlock() ZEL%u rc %u",
};

constexpr uint32_t kTransferDone = 0;
constexpr uint32_t kTransferRejected = 1;
constexpr uint32_t kRecoveryError = 2;
constexpr uint32_t kCommunicationError = 7;

// What one transfer needs, decoded from the gate's words and the instance.
struct Transfer {
  uint32_t target;
  uint32_t length;
  uint32_t count;
  bool swapBytes;
  bool swapWords;
  char addressPart[kAddressBufferSize];
};

// The host hands back the words that SingleParse stored. Words that SingleParse can never
// have stored are refused here, so that nothing divides by zero, reads outside the swap table
// or writes outside the 81-byte value buffer.
bool PrepareTransfer(const DriverRequest* request, const TransferTexts& texts,
                     Transfer& transfer) {
  const GateAccess& access = *static_cast<const GateAccess*>(request->subject);
  const DriverInstance& instance = *request->instance;
  const uint32_t length = StringLengthOf(access.sizeWord);
  const uint32_t elementSize = ElementSizeOf(access.sizeWord);

  const std::size_t addressLength = std::strlen(access.addressString);
  if (addressLength >= kAddressBufferSize || !IsElementSize(elementSize) ||
      length > kMaxStringLength || length % elementSize != 0 ||
      access.targetNumber >= ZEL_SWAP_ENTRIES) {
    char copy[kAddressBufferSize];
    CopyAddressString(access.addressString, copy);
    err(ZEL_CLASS_INFO, texts.illegalGate, copy, unsigned{access.targetNumber}, unsigned{length},
        unsigned{elementSize});
    return false;
  }
  const unsigned swapCode = instance.swapTable[access.targetNumber];
  transfer.target = access.targetNumber;
  transfer.length = length;
  transfer.count = length / elementSize;
  transfer.swapBytes = elementSize >= 2 && (swapCode & kSwapBytesCode) != 0;
  transfer.swapWords = elementSize == 4 && (swapCode & kSwapWordsCode) != 0;
  CutAddressPart(access.addressString, addressLength, transfer.addressPart, instance.gasLength);
  return true;
}

// Host order to target order, before a write: bytes first, then words.
void ToTargetOrder(const Transfer& transfer, char* buffer) {
  if (transfer.swapBytes) SwapBytes(buffer);
  if (transfer.swapWords) SwapWords(buffer);
}

// Target order to host order: the exact inverse of ToTargetOrder (each exchange undoes
// itself, so they run in the reverse order). It gives the host its buffer back after a write,
// and it decodes a read, so that a value that was written reads back unchanged even when its
// NUL lies inside a 32-bit element with both exchanges on: there the two orders stop at
// different units, and running them in the write's order would lose characters.
void ToHostOrder(const Transfer& transfer, char* buffer) {
  if (transfer.swapWords) SwapWords(buffer);
  if (transfer.swapBytes) SwapBytes(buffer);
}

int32_t Report(const TransferTexts& texts, const Transfer& transfer, uint32_t result) {
  switch (result) {
    case kTransferRejected:
      err(ZEL_CLASS_INFO, texts.parseError, transfer.addressPart, unsigned{transfer.target});
      break;
    case kRecoveryError:
      err(ZEL_CLASS_INFO, texts.recoveryError, unsigned{transfer.target});
      break;
    case kCommunicationError:
      err(ZEL_CLASS_INFO, texts.communicationError, unsigned{transfer.target});
      break;
    default:
      err(ZEL_CLASS_INFO, texts.otherResult, unsigned{transfer.target}, unsigned{result});
      break;
  }
  return 1;
}

}  // namespace

int32_t SingleRead(const DriverRequest* request) {
  Transfer transfer;
  if (!PrepareTransfer(request, kReadTexts, transfer)) return 1;
  char* buffer = static_cast<const GateAccess*>(request->subject)->valueBuffer;
  const uint32_t result = OrlReadBlock(0, static_cast<uint8_t>(transfer.target),
                                       transfer.addressPart, transfer.count, buffer, 0) &
                          0xFFFFu;
  if (result != kTransferDone) return Report(kReadTexts, transfer, result);
  ToHostOrder(transfer, buffer);
  buffer[transfer.length] = '\0';
  return 0;
}

int32_t SingleWrite(const DriverRequest* request) {
  Transfer transfer;
  if (!PrepareTransfer(request, kWriteTexts, transfer)) return 1;
  char* buffer = static_cast<const GateAccess*>(request->subject)->valueBuffer;
  ToTargetOrder(transfer, buffer);
  const uint32_t result = OrlWriteBlock(0, static_cast<uint8_t>(transfer.target),
                                        transfer.addressPart, transfer.count, buffer) &
                          0xFFFFu;
  ToHostOrder(transfer, buffer);
  if (result != kTransferDone) return Report(kWriteTexts, transfer, result);
  return 0;
}

}  // namespace zelstr
