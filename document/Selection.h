#pragma once
// The objects the editing commands act on, by record ID and kind, and the handle of a
// single selected object being dragged. Imported plans keep a selection of their own.
#include <algorithm>
#include <vector>

struct CSelection {
    std::vector<int> groups, lines, walls, texts, pictures, objects;
    int handle = 0;      // 0 none; otherwise the kind of handle being dragged
    int handleIndex = 0; // which handle of that kind (corner 1-4, vertex number)

    int Count() const
    {
        return static_cast<int>(groups.size() + lines.size() + walls.size() + texts.size() + pictures.size() +
                                objects.size());
    }
    bool Empty() const { return Count() == 0; }
    void Clear()
    {
        for (auto* l : Lists())
            l->clear();
        handle = handleIndex = 0;
    }
    // Adds id once: selecting an object that is already selected changes nothing.
    static bool Add(std::vector<int>& list, int id)
    {
        if (Has(list, id))
            return false;
        list.push_back(id);
        return true;
    }
    static bool Has(const std::vector<int>& list, int id) { return std::find(list.begin(), list.end(), id) != list.end(); }
    bool operator==(const CSelection&) const = default;

private:
    std::vector<std::vector<int>*> Lists() { return {&groups, &lines, &walls, &texts, &pictures, &objects}; }
};
