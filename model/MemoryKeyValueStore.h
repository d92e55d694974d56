#pragma once
#include "KeyValueStore.h"

#include <map>
#include <variant>

// Settings kept in memory: for tests and for the command-line tool, which persists nothing.
class MemoryKeyValueStore : public KeyValueStore {
public:
    using Value = std::variant<int, std::string, std::vector<uint8_t>>;

    std::optional<int> ReadInt(const std::string& section, const std::string& key) const override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    std::optional<std::string> ReadString(const std::string& section, const std::string& key) const override;
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& section, const std::string& key) const override;
    void WriteBinary(const std::string& section, const std::string& key, const std::vector<uint8_t>& value) override;

    bool Contains(const std::string& section, const std::string& key) const;
    // Writes into `out` every value that `previous` does not hold as it is here; true when any was.
    bool WriteChanges(const MemoryKeyValueStore& previous, KeyValueStore& out) const;
    size_t Size() const { return m_values.size(); }

private:
    const Value* Lookup(const std::string& section, const std::string& key) const;
    std::map<std::pair<std::string, std::string>, Value> m_values;
};
