#include "FuzzMutate.h"
#include "kvstruct/sound/OggCheck.h"

#include <algorithm>
#include <cstring>

namespace fuzz {

namespace {

// splitmix64: small, fast and the same everywhere.
struct Rng
{
    uint64_t state;
    uint64_t Next()
    {
        uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    size_t Below(size_t n) { return n ? static_cast<size_t>(Next() % n) : 0; }
};

void Put(std::string& b, size_t at, uint32_t value, size_t width)
{
    for (size_t i = 0; i < width && at + i < b.size(); ++i)
        b[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

void MutateOnce(std::string& b, const std::vector<std::string>& seeds, Rng& rng)
{
    static const unsigned char kBoundary[] = {0x00, 0x01, 0x7f, 0x80, 0xfe, 0xff};
    static const uint32_t kCounts[] = {0xffffffffu, 0x80000000u, 0x7fffffffu, 0x40000000u, 0x0000ffffu,
                                       0x00008000u, 0x00007fffu, 0x00010000u, 0x00000000u};
    switch (rng.Below(8))
    {
    case 0: // bit flips
        for (size_t n = 1 + rng.Below(8); n && !b.empty(); --n)
            b[rng.Below(b.size())] ^= static_cast<char>(1u << rng.Below(8));
        break;
    case 1: // boundary bytes
        for (size_t n = 1 + rng.Below(4); n && !b.empty(); --n)
            b[rng.Below(b.size())] = static_cast<char>(kBoundary[rng.Below(sizeof(kBoundary))]);
        break;
    case 2: // huge 16-bit count
        if (!b.empty())
            Put(b, rng.Below(b.size()), kCounts[rng.Below(sizeof(kCounts) / sizeof(kCounts[0]))], 2);
        break;
    case 3: // huge 32-bit count
        if (!b.empty())
            Put(b, rng.Below(b.size()), kCounts[rng.Below(sizeof(kCounts) / sizeof(kCounts[0]))], 4);
        break;
    case 4: // inserted run: random bytes or one byte repeated
    {
        const size_t at = rng.Below(b.size() + 1);
        const size_t n = 1 + rng.Below(rng.Below(4) ? 16 : 1024);
        std::string run(n, static_cast<char>(rng.Next()));
        if (rng.Below(2))
            for (char& c : run)
                c = static_cast<char>(rng.Next());
        b.insert(at, run);
        break;
    }
    case 5: // deleted run
        if (!b.empty())
        {
            const size_t at = rng.Below(b.size());
            b.erase(at, 1 + rng.Below(std::min<size_t>(b.size() - at, rng.Below(4) ? 16 : 1024)));
        }
        break;
    case 6: // splice: the head of this one, the tail of another seed
    {
        const std::string& other = seeds[rng.Below(seeds.size())];
        const size_t cut = rng.Below(b.size() + 1);
        b = b.substr(0, cut) + other.substr(std::min(other.size(), rng.Below(other.size() + 1)));
        break;
    }
    default: // truncation
        b.resize(rng.Below(b.size() + 1));
        break;
    }
}

} // namespace

std::string Mutate(const std::vector<std::string>& seeds, uint64_t iteration)
{
    if (seeds.empty())
        return std::string();
    // Every eighth mutant cuts a small seed at the next length, so each length comes up in turn.
    if (iteration % 8 == 7)
    {
        size_t cuts = 0;
        for (const std::string& s : seeds)
            cuts += s.size() <= kSmallSeed ? s.size() : 0;
        if (cuts)
        {
            uint64_t k = (iteration / 8) % cuts;
            for (const std::string& s : seeds)
            {
                if (s.size() > kSmallSeed)
                    continue;
                if (k < s.size())
                    return s.substr(0, static_cast<size_t>(k));
                k -= s.size();
            }
        }
    }
    Rng rng{iteration * 0x2545f4914f6cdd1dull + 1};
    std::string b = seeds[iteration % seeds.size()];
    for (size_t n = 1 + (rng.Below(4) ? 0 : rng.Below(4)); n; --n)
        MutateOnce(b, seeds, rng);
    return b;
}

void FixOggPageCrcs(std::string& bytes)
{
    unsigned char* b = reinterpret_cast<unsigned char*>(&bytes[0]);
    const size_t size = bytes.size();
    for (size_t at = 0; at + 27 <= size; ++at)
    {
        if (std::memcmp(b + at, "OggS", 4) != 0)
            continue;
        const size_t segments = b[at + 26];
        if (at + 27 + segments > size)
            break;
        size_t page = 27 + segments;
        for (size_t s = 0; s < segments; ++s)
            page += b[at + 27 + s];
        if (at + page > size)
            break;
        const unsigned long crc = KV::OggPageCrc(b + at, page);
        for (int i = 0; i < 4; ++i)
            b[at + 22 + i] = static_cast<unsigned char>((crc >> (8 * i)) & 0xff);
        at += page - 1;
    }
}

} // namespace fuzz
