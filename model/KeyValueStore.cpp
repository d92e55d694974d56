#include "KeyValueStore.h"

#include <cstring>

int KeyValueStore::GetInt(const std::string& section, const std::string& key, int def) const
{
    return ReadInt(section, key).value_or(def);
}

std::string KeyValueStore::GetString(const std::string& section, const std::string& key, const std::string& def) const
{
    return ReadString(section, key).value_or(def);
}

// Stored as 8 little-endian bytes, the layout of the profile's binary values.
double KeyValueStore::GetDouble(const std::string& section, const std::string& key, double def) const
{
    auto bytes = ReadBinary(section, key);
    if (!bytes || bytes->size() != 8)
        return def;
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | (*bytes)[static_cast<size_t>(i)];
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

void KeyValueStore::SetDouble(const std::string& section, const std::string& key, double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    std::vector<uint8_t> bytes(8);
    for (size_t i = 0; i < 8; ++i)
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    WriteBinary(section, key, bytes);
}

uint32_t KeyValueStore::GetDate(const std::string& section, const std::string& key, uint32_t def) const
{
    auto bytes = ReadBinary(section, key);
    if (!bytes || bytes->size() != 4)
        return def;
    const auto& b = *bytes;
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void KeyValueStore::SetDate(const std::string& section, const std::string& key, uint32_t value)
{
    WriteBinary(section, key, {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
}
