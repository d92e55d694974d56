#pragma once
#include <string>
#include <vector>

// What an EPANET import or export could not carry over exactly: one entry per kind of
// approximation or omission, with the identifiers it concerns. Texts are UTF-8.
class InpReport {
public:
    struct Item {
        std::string what;
        std::vector<std::string> ids;
        std::string detail;
    };

    // Adds `id` to the entry `what` (made on first use); `detail` is kept from the first call.
    void Add(const std::string& what, const std::string& id = {}, const std::string& detail = {});
    void Note(const std::string& line) { m_notes.push_back(line); }

    bool Empty() const { return m_items.empty(); }
    const std::vector<Item>& Items() const { return m_items; }
    const Item* Find(const std::string& what) const;
    // Notes first (counts, units, hour), then every entry with its count and identifiers.
    std::string Text() const;

private:
    std::vector<std::string> m_notes;
    std::vector<Item> m_items;
};
