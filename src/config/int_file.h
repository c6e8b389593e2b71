// The INT file: an optional text file in the host's working directory that sets the width of
// the address part and the swap code of each target driver for one instance.
#ifndef ZELSTR_CONFIG_INT_FILE_H
#define ZELSTR_CONFIG_INT_FILE_H

#include <cstddef>
#include <cstdio>

#include "zelstr/host_interface.h"

namespace zelstr {

constexpr std::size_t kIntFileNameSize = 16;  // at most 15 characters and a NUL
constexpr int32_t kDefaultGasLength = 8;

// Tries "ZEL<short><nn>.INT", "ZEL<short><n>.INT" and "ZEL<short>.INT" in that order (own
// number formatted as unsigned) and returns the first that opens for reading, or null. A name
// that would not fit the buffer is skipped, never cut short and opened as another file. The
// buffer is left holding the name opened, or when none opens the last name tried.
std::FILE* OpenIntFile(const char* shortName, char (&name)[kIntFileNameSize], int32_t ownNumber);

// Sets gasLength to its default, then applies the instance's INT file line by line: width
// settings, swap entries, comments and blank lines; every other line is reported (class 32)
// with its number. Nothing it finds stops the cold start.
void ReadIntFile(const DriverRequest* request);

}  // namespace zelstr

#endif
