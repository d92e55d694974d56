#pragma once
#include "ZNetObject.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

// Objects kept strictly ascending by Id (unsigned bytes, a prefix sorts first), each Index equal
// to its position. Non-owning: ZNetwork owns what its arrays hold.
template <class T>
class ZSortedObArray {
public:
    static int Compare(GbkView a, GbkView b)
    {
        const size_t n = a.size() < b.size() ? a.size() : b.size();
        if (int c = std::memcmp(a.data(), b.data(), n))
            return c;
        return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
    }

    // Sorts into the order Compare gives. The first eight bytes of each Id, read big-endian, decide
    // most comparisons without reaching the objects, which in a large array are cache misses at
    // every step. Ids hold no zero byte, so zero padding sorts a prefix first.
    static void SortById(std::vector<T*>& items)
    {
        struct Keyed {
            uint64_t key;
            T* obj;
        };
        std::vector<Keyed> keyed(items.size());
        for (size_t i = 0; i < items.size(); ++i) {
            const GbkView id = items[i]->IdView();
            uint64_t key = 0;
            for (size_t b = 0; b < 8; ++b)
                key = key << 8 | (b < id.size() ? static_cast<unsigned char>(id[b]) : 0u);
            keyed[i] = {key, items[i]};
        }
        std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
            return a.key != b.key ? a.key < b.key : Compare(a.obj->IdView(), b.obj->IdView()) < 0;
        });
        for (size_t i = 0; i < items.size(); ++i)
            items[i] = keyed[i].obj;
    }

    int Count() const { return static_cast<int>(m_items.size()); }
    T* At(int i) const { return m_items[static_cast<size_t>(i)]; }
    const std::vector<T*>& Items() const { return m_items; }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }
    void Reserve(size_t n) { m_items.reserve(n); }

    // Position of the element with this Id, or -1; `insertAt` receives the insertion position.
    int Search(GbkView id, int* insertAt = nullptr) const
    {
        int low = 0, high = Count() - 1;
        while (low <= high) {
            const int mid = low + (high - low) / 2;
            const int c = Compare(m_items[static_cast<size_t>(mid)]->IdView(), id);
            if (c == 0)
                return mid;
            if (c < 0)
                low = mid + 1;
            else
                high = mid - 1;
        }
        if (insertAt)
            *insertAt = low;
        return -1;
    }
    T* Find(GbkView id) const
    {
        const int i = Search(id);
        return i < 0 ? nullptr : m_items[static_cast<size_t>(i)];
    }

    bool Insert(T* obj)
    {
        int pos = 0;
        if (Search(obj->IdView(), &pos) >= 0)
            return false;
        m_items.insert(m_items.begin() + pos, obj);
        Renumber(pos, Count() - 1);
        return true;
    }

    // Appends without searching: for readers that restore a stored, already ordered array.
    // Returns false (nothing changed) when the order would break.
    bool AppendSorted(T* obj)
    {
        if (!m_items.empty() && Compare(m_items.back()->IdView(), obj->IdView()) >= 0)
            return false;
        obj->SetIndex(Count());
        m_items.push_back(obj);
        return true;
    }

    void RemoveAt(int pos)
    {
        m_items[static_cast<size_t>(pos)]->SetIndex(-1);
        m_items.erase(m_items.begin() + pos);
        Renumber(pos, Count() - 1);
    }

    // Removes every element for which pred holds in one sweep; returns the lowest removed position
    // (Count() when nothing went).
    template <class Pred>
    int RemoveIf(Pred pred)
    {
        size_t out = 0;
        int lowest = Count();
        for (size_t i = 0; i < m_items.size(); ++i) {
            T* o = m_items[i];
            if (pred(o)) {
                if (lowest == Count())
                    lowest = static_cast<int>(i);
                o->SetIndex(-1);
            } else {
                m_items[out++] = o;
            }
        }
        m_items.resize(out);
        Renumber(lowest, Count() - 1);
        return lowest;
    }

    // After obj's Id changed: move it to its new sorted position.
    void ReSort(T* obj)
    {
        const int old = obj->GetIndex();
        m_items.erase(m_items.begin() + old);
        obj->SetIndex(-1);
        int pos = 0;
        Search(obj->IdView(), &pos);
        m_items.insert(m_items.begin() + pos, obj);
        Renumber(old < pos ? old : pos, old < pos ? pos : old);
    }

    // Removes the given elements, each of which must be in the array, in one sweep.
    void RemoveAll(const std::vector<T*>& items)
    {
        if (items.empty())
            return;
        for (T* o : items)
            o->SetIndex(-2);
        RemoveIf([](T* o) { return o->GetIndex() == -2; });
    }

    // Puts elements that are not in the array into their sorted places in one pass. False, and
    // nothing changed, when an Id is taken or given twice.
    bool MergeIn(std::vector<T*> items)
    {
        if (items.empty())
            return true;
        auto less = [](const T* a, const T* b) { return Compare(a->IdView(), b->IdView()) < 0; };
        std::sort(items.begin(), items.end(), less);
        for (size_t i = 0; i < items.size(); ++i)
            if ((i > 0 && !less(items[i - 1], items[i])) || Search(items[i]->IdView()) >= 0)
                return false;
        int first = 0;
        Search(items.front()->IdView(), &first);
        std::vector<T*> merged;
        merged.reserve(m_items.size() + items.size());
        std::merge(m_items.begin(), m_items.end(), items.begin(), items.end(), std::back_inserter(merged), less);
        m_items.swap(merged);
        Renumber(first, Count() - 1);
        return true;
    }

    void Clear() { m_items.clear(); }
    std::vector<T*> TakeAll() { return std::exchange(m_items, {}); }

private:
    void Renumber(int from, int to)
    {
        for (int i = from; i <= to && i < Count(); ++i)
            m_items[static_cast<size_t>(i)]->SetIndex(i);
    }

    std::vector<T*> m_items;
};
