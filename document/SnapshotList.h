#pragma once
// An undo or redo list of snapshots. An undo list starts with a base snapshot that
// belongs to the document (element 0); every later element is owned by the list.
#include <cstddef>
#include <memory>
#include <vector>

template <class T>
class CSnapshotList {
public:
    // Empties the list, resetting every owned snapshot with reset(T&) first, then
    // seeds it with base (if any) as element 0.
    template <class ResetFn>
    void Clear(ResetFn reset, T* base = nullptr)
    {
        for (auto& s : m_owned)
            reset(*s);
        m_owned.clear();
        m_base = base;
    }
    void Append(std::unique_ptr<T> snapshot) { m_owned.push_back(std::move(snapshot)); }
    // Removes the newest owned snapshot and hands it over; nullptr when only the base is left.
    std::unique_ptr<T> TakeLast()
    {
        if (m_owned.empty())
            return nullptr;
        auto last = std::move(m_owned.back());
        m_owned.pop_back();
        return last;
    }
    std::size_t size() const { return m_owned.size() + (m_base ? 1 : 0); }
    bool empty() const { return size() == 0; }
    T& operator[](std::size_t i) { return m_base ? (i == 0 ? *m_base : *m_owned[i - 1]) : *m_owned[i]; }
    const T& operator[](std::size_t i) const
    {
        return m_base ? (i == 0 ? *m_base : *m_owned[i - 1]) : *m_owned[i];
    }
    T& back() { return (*this)[size() - 1]; }

private:
    T* m_base = nullptr;
    std::vector<std::unique_ptr<T>> m_owned;
};
