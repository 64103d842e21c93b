#pragma once
// Little-endian binary primitives of every data file. Reads past the end yield 0 for the
// missing bytes and leave the stream's fail state for the caller to test.
#include "kvstruct/kvstruct_api.h"
#include <istream>
#include <ostream>

namespace KV {

KVSTRUCT_API void SerializeUC(std::ostream& out, unsigned char value);
KVSTRUCT_API void SerializeUS(std::ostream& out, unsigned short value);
KVSTRUCT_API void SerializeUL(std::ostream& out, unsigned long value);
KVSTRUCT_API unsigned char SerializeUC(std::istream& in);
KVSTRUCT_API unsigned short SerializeUS(std::istream& in);
KVSTRUCT_API unsigned long SerializeUL(std::istream& in);

// Bytes left between the read position and the end of a seekable stream; -1 when unknown.
// Readers use it to refuse counts that the data cannot hold.
KVSTRUCT_API long long StreamBytesLeft(std::istream& in);

} // namespace KV
