#pragma once
#include "model/KeyValueStore.h"

#include <QSettings>

#include <memory>

// The per-user profile in an INI file (organisation "Brookmere", application "QEN"): one group per
// section. Integers are stored as integers, strings as text (the model's GBK converted to Unicode),
// binary values (doubles, dates, window placement) as byte arrays. A value of the wrong kind reads
// as missing, so the caller's default stays.
class QSettingsKeyValueStore : public KeyValueStore {
public:
    static constexpr const char* Organisation = "Brookmere";
    static constexpr const char* Application = "QEN";

    // The user's profile.
    QSettingsKeyValueStore();
    // A profile in the given INI file (tests, portable installs).
    explicit QSettingsKeyValueStore(const QString& iniPath);

    std::optional<int> ReadInt(const std::string& section, const std::string& key) const override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    std::optional<std::string> ReadString(const std::string& section, const std::string& key) const override;
    void WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& section, const std::string& key) const override;
    void WriteBinary(const std::string& section, const std::string& key, const std::vector<uint8_t>& value) override;

    // Writes pending changes to disk; errors are ignored like every settings write error.
    void Sync();
    void Flush() override { Sync(); }
    QSettings& Settings() { return *m_settings; }

private:
    static QString Path(const std::string& section, const std::string& key);
    QVariant Value(const std::string& section, const std::string& key) const;

    std::unique_ptr<QSettings> m_settings;
};
