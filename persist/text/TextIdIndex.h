#pragma once
#include "model/GbkView.h"

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string_view>

// Identifier lookup for the text reader: open addressing over one flat array of (hash, object),
// keyed by the object's own Id bytes. A node-based map costs an allocation and two cache misses per
// object, which dominated loading a million-object file.
template <class T>
class TextIdIndex {
public:
    T* Find(GbkView id) const
    {
        if (!m_slots)
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
        if (2 * (m_count + 1) > m_size)
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
        size_t hash;
        T* obj;
    };
    struct Free {
        void operator()(Slot* p) const { std::free(p); }
    };

    static size_t Hash(GbkView id) { return std::hash<GbkView>{}(id); }

    // Big tables sit on huge pages where the system offers them: every probe is a random access,
    // and with small pages most of them also miss the address translation cache.
    static std::unique_ptr<Slot[], Free> Allocate(size_t count)
    {
        constexpr size_t kHuge = size_t(2) << 20;
        const bool huge = count * sizeof(Slot) >= kHuge;
        const size_t bytes = huge ? (count * sizeof(Slot) + kHuge - 1) / kHuge * kHuge : count * sizeof(Slot);
        auto* p = static_cast<Slot*>(huge ? std::aligned_alloc(kHuge, bytes) : std::malloc(bytes));
        if (!p)
            throw std::bad_alloc();
        if (huge)
            ::madvise(p, bytes, MADV_HUGEPAGE);
        for (size_t i = 0; i < count; ++i)
            p[i] = Slot{0, nullptr};
        return std::unique_ptr<Slot[], Free>(p);
    }

    void Grow()
    {
        const size_t oldSize = m_size;
        std::unique_ptr<Slot[], Free> old = std::move(m_slots);
        m_size = oldSize == 0 ? 1024 : oldSize * 2;
        m_slots = Allocate(m_size);
        m_mask = m_size - 1;
        for (size_t k = 0; k < oldSize; ++k) {
            const Slot& s = old[k];
            if (!s.obj)
                continue;
            size_t i = s.hash & m_mask;
            while (m_slots[i].obj)
                i = (i + 1) & m_mask;
            m_slots[i] = s;
        }
    }

    std::unique_ptr<Slot[], Free> m_slots;
    size_t m_size = 0;
    size_t m_mask = 0;
    size_t m_count = 0;
};
