#pragma once
// A small generator of our own so that every platform makes the same flyers; the salt
// keeps the streams of different generators apart for one seed.
#include <cstdint>

class Rng {
public:
    Rng(unsigned seed, unsigned salt) : m_state(seed * 2654435761u + salt) {}
    std::uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<std::uint32_t>(m_state >> 11);
    }
    double Real(double lo, double hi) { return lo + (hi - lo) * (Next() % 1000000) / 1000000.0; }
    int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1)); }

private:
    std::uint64_t m_state;
};
