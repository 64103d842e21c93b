#pragma once
// Deterministic damage for robustness runs: cuts, flipped bytes, words set to 0 or 0xFFFF.
#include <string>

namespace KV {

class CByteMutator
{
public:
    explicit CByteMutator(unsigned seed) : m_seed(seed) {}

    std::string Mutate(const std::string& bytes)
    {
        std::string s = bytes;
        if (s.size() < 2)
            return std::string();
        switch (Next(3))
        {
        case 0:
            s.resize(Next(static_cast<unsigned>(s.size())));
            break;
        case 1:
            for (unsigned i = 0, n = 1 + Next(4); i < n; ++i)
                s[Next(static_cast<unsigned>(s.size()))] ^= static_cast<char>(1 + Next(255));
            break;
        default: {
            const unsigned at = Next(static_cast<unsigned>(s.size() - 1));
            s[at] = s[at + 1] = static_cast<char>(Next(2) ? 0xFF : 0);
            break;
        }
        }
        return s;
    }

private:
    unsigned Next(unsigned n)
    {
        m_seed = m_seed * 1103515245u + 12345u;
        return n ? (m_seed >> 8) % n : 0;
    }

    unsigned m_seed;
};

} // namespace KV
