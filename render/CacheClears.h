#pragma once
// Clears of a cache that every drawing thread keeps for itself (the bands of a page
// draw side by side): a clear asked on one thread reaches each thread's cache the
// next time that thread uses it.
#include <atomic>

class CCacheClears {
public:
    void Raise() { ++m_count; }
    // Whether a clear came since seen, which is updated; seen belongs to one thread's cache.
    bool ClearedSince(unsigned& seen) const
    {
        const unsigned now = m_count.load(std::memory_order_relaxed);
        const bool cleared = now != seen;
        seen = now;
        return cleared;
    }

private:
    std::atomic<unsigned> m_count{0};
};
