#pragma once
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// EPANET identifiers (up to 31 characters, any letter case) against QEN's (GBK, at most 19
// bytes, upper case as the text file reads them). Each EPANET identifier keeps its own text where
// that fits and is free; otherwise it gets a shortened, numbered one. Nodes and links are apart,
// as identifiers are unique only within their kind.
class InpIdMap {
public:
    enum Kind { Node = 0, Link = 1 };
    struct Entry {
        Kind kind;
        std::string epanetId;
        std::string qenId;
        std::string what;
    };

    // The QEN identifier for an EPANET object (made on first use), from `preferred` (GBK) when
    // given, else from the EPANET identifier.
    const std::string& Map(Kind kind, const std::string& epanetId, const std::string& what,
                           const std::string& preferred = {});
    // A second QEN object for an EPANET identifier already mapped in this kind (EPANET keeps a
    // tank apart from a pipe of the same name; in QEN both are links): listed with the EPANET
    // identifier, named from `preferred` made unique, and not what Find returns.
    const std::string& MapAside(Kind kind, const std::string& epanetId, const std::string& what,
                                const std::string& preferred);
    // An identifier for an object the import adds, derived from `base` plus `suffix`.
    std::string Invent(Kind kind, const std::string& base, const std::string& suffix, const std::string& what);
    // Marks an identifier of a kind as taken without mapping anything to it.
    bool Reserve(Kind kind, const std::string& qenId) { return m_used[kind].insert(qenId).second; }
    const std::string* Find(Kind kind, const std::string& epanetId) const;

    const std::vector<Entry>& Entries() const { return m_entries; }
    // Identifiers that did not stay as written (letter case aside).
    int RenamedCount() const;
    // UTF-8 CSV: kind,epanet_id,qen_id,object.
    std::string Csv() const;

private:
    std::string Unique(Kind kind, std::string text);

    std::unordered_map<std::string, size_t> m_index[2];
    std::unordered_set<std::string> m_used[2];
    std::vector<Entry> m_entries;
};
