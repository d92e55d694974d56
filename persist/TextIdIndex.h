#pragma once
#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

// Identifier lookup for the text reader: open addressing over one flat array of (hash, object),
// keyed by the object's own Id bytes. A node-based map costs an allocation and two cache misses per
// object, which dominated loading a million-object file.
template <class T>
class TextIdIndex {
public:
    T* Find(std::string_view id) const
    {
        if (m_slots.empty())
            return nullptr;
        const size_t h = Hash(id);
        for (size_t i = h & m_mask;; i = (i + 1) & m_mask) {
            const Slot& s = m_slots[i];
            if (!s.obj)
                return nullptr;
            if (s.hash == h && s.obj->IdView() == id)
                return s.obj;
        }
    }

    // False (nothing changed) when an object with the same Id is already in.
    bool Insert(T* obj)
    {
        if (2 * (m_count + 1) > m_slots.size())
            Grow();
        const size_t h = Hash(obj->IdView());
        size_t i = h & m_mask;
        for (; m_slots[i].obj; i = (i + 1) & m_mask)
            if (m_slots[i].hash == h && m_slots[i].obj->IdView() == obj->IdView())
                return false;
        m_slots[i] = {h, obj};
        ++m_count;
        return true;
    }

    size_t Count() const { return m_count; }

private:
    struct Slot {
        size_t hash = 0;
        T* obj = nullptr;
    };

    static size_t Hash(std::string_view id) { return std::hash<std::string_view>{}(id); }

    void Grow()
    {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
        m_mask = m_slots.size() - 1;
        for (const Slot& s : old) {
            if (!s.obj)
                continue;
            size_t i = s.hash & m_mask;
            while (m_slots[i].obj)
                i = (i + 1) & m_mask;
            m_slots[i] = s;
        }
    }

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    size_t m_count = 0;
};
