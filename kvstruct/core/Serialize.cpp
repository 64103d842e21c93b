#include "kvstruct/core/Serialize.h"

namespace KV {

namespace {

void PutBytes(std::ostream& out, const unsigned char* bytes, std::streamsize n)
{
    if (!out.good())
        return;
    if (out.rdbuf()->sputn(reinterpret_cast<const char*>(bytes), n) != n)
        out.setstate(std::ios::badbit);
}

// Missing bytes stay 0; a short read marks the stream as failed.
void GetBytes(std::istream& in, unsigned char* bytes, std::streamsize n)
{
    for (std::streamsize i = 0; i < n; ++i)
        bytes[i] = 0;
    if (!in.good())
    {
        in.setstate(std::ios::failbit);
        return;
    }
    std::streamsize got = in.rdbuf()->sgetn(reinterpret_cast<char*>(bytes), n);
    if (got < n)
    {
        for (std::streamsize i = got < 0 ? 0 : got; i < n; ++i)
            bytes[i] = 0;
        in.setstate(std::ios::eofbit | std::ios::failbit);
    }
}

} // namespace

void SerializeUC(std::ostream& out, unsigned char value)
{
    PutBytes(out, &value, 1);
}

void SerializeUS(std::ostream& out, unsigned short value)
{
    unsigned char b[2] = {static_cast<unsigned char>(value & 0xFF), static_cast<unsigned char>(value >> 8)};
    PutBytes(out, b, 2);
}

void SerializeUL(std::ostream& out, unsigned long value)
{
    unsigned char b[4] = {
        static_cast<unsigned char>(value & 0xFF), static_cast<unsigned char>((value >> 8) & 0xFF),
        static_cast<unsigned char>((value >> 16) & 0xFF), static_cast<unsigned char>((value >> 24) & 0xFF)};
    PutBytes(out, b, 4);
}

unsigned char SerializeUC(std::istream& in)
{
    unsigned char b = 0;
    GetBytes(in, &b, 1);
    return b;
}

unsigned short SerializeUS(std::istream& in)
{
    unsigned char b[2];
    GetBytes(in, b, 2);
    return static_cast<unsigned short>(b[0] | (b[1] << 8));
}

unsigned long SerializeUL(std::istream& in)
{
    unsigned char b[4];
    GetBytes(in, b, 4);
    return static_cast<unsigned long>(b[0]) | (static_cast<unsigned long>(b[1]) << 8) |
           (static_cast<unsigned long>(b[2]) << 16) | (static_cast<unsigned long>(b[3]) << 24);
}

long long StreamBytesLeft(std::istream& in)
{
    if (!in.good())
        return 0;
    std::streambuf* buf = in.rdbuf();
    std::streampos cur = buf->pubseekoff(0, std::ios::cur, std::ios::in);
    if (cur == std::streampos(-1))
        return -1;
    std::streampos end = buf->pubseekoff(0, std::ios::end, std::ios::in);
    buf->pubseekpos(cur, std::ios::in);
    if (end == std::streampos(-1))
        return -1;
    return static_cast<long long>(end - cur);
}

} // namespace KV
