#include "MemoryKeyValueStore.h"

const MemoryKeyValueStore::Value* MemoryKeyValueStore::Lookup(const std::string& section, const std::string& key) const
{
    auto it = m_values.find({section, key});
    return it == m_values.end() ? nullptr : &it->second;
}

bool MemoryKeyValueStore::Contains(const std::string& section, const std::string& key) const
{
    return Lookup(section, key) != nullptr;
}

std::optional<int> MemoryKeyValueStore::ReadInt(const std::string& section, const std::string& key) const
{
    const Value* v = Lookup(section, key);
    if (v && std::holds_alternative<int>(*v))
        return std::get<int>(*v);
    return std::nullopt;
}

void MemoryKeyValueStore::WriteInt(const std::string& section, const std::string& key, int value)
{
    m_values[{section, key}] = value;
}

std::optional<std::string> MemoryKeyValueStore::ReadString(const std::string& section, const std::string& key) const
{
    const Value* v = Lookup(section, key);
    if (v && std::holds_alternative<std::string>(*v))
        return std::get<std::string>(*v);
    return std::nullopt;
}

void MemoryKeyValueStore::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    m_values[{section, key}] = value;
}

std::optional<std::vector<uint8_t>> MemoryKeyValueStore::ReadBinary(const std::string& section,
                                                                    const std::string& key) const
{
    const Value* v = Lookup(section, key);
    if (v && std::holds_alternative<std::vector<uint8_t>>(*v))
        return std::get<std::vector<uint8_t>>(*v);
    return std::nullopt;
}

void MemoryKeyValueStore::WriteBinary(const std::string& section, const std::string& key,
                                      const std::vector<uint8_t>& value)
{
    m_values[{section, key}] = value;
}

bool MemoryKeyValueStore::WriteChanges(const MemoryKeyValueStore& previous, KeyValueStore& out) const
{
    bool any = false;
    for (const auto& [where, value] : m_values) {
        const Value* before = previous.Lookup(where.first, where.second);
        if (before && *before == value)
            continue;
        any = true;
        if (const int* i = std::get_if<int>(&value))
            out.WriteInt(where.first, where.second, *i);
        else if (const std::string* s = std::get_if<std::string>(&value))
            out.WriteString(where.first, where.second, *s);
        else
            out.WriteBinary(where.first, where.second, std::get<std::vector<uint8_t>>(value));
    }
    return any;
}
