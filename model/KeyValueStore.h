#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Per-user settings storage: integers, strings and binary blocks under a section and key.
// Doubles are 8-byte binary values and dates 4-byte binary values; anything else reads as missing.
class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;

    virtual std::optional<int> ReadInt(const std::string& section, const std::string& key) const = 0;
    virtual void WriteInt(const std::string& section, const std::string& key, int value) = 0;
    virtual std::optional<std::string> ReadString(const std::string& section, const std::string& key) const = 0;
    virtual void WriteString(const std::string& section, const std::string& key, const std::string& value) = 0;
    virtual std::optional<std::vector<uint8_t>> ReadBinary(const std::string& section,
                                                           const std::string& key) const = 0;
    virtual void WriteBinary(const std::string& section, const std::string& key, const std::vector<uint8_t>& value) = 0;
    // Puts what was written where it outlives the process (a store kept in memory has nothing to do).
    virtual void Flush() {}

    int GetInt(const std::string& section, const std::string& key, int def) const;
    std::string GetString(const std::string& section, const std::string& key, const std::string& def) const;
    double GetDouble(const std::string& section, const std::string& key, double def) const;
    void SetDouble(const std::string& section, const std::string& key, double value);
    uint32_t GetDate(const std::string& section, const std::string& key, uint32_t def) const;
    void SetDate(const std::string& section, const std::string& key, uint32_t value);
};
