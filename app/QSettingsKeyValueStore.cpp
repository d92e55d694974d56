#include "QSettingsKeyValueStore.h"

#include "model/GbkCodec.h"

#include <QByteArray>

QSettingsKeyValueStore::QSettingsKeyValueStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, Organisation, Application))
{
}

QSettingsKeyValueStore::QSettingsKeyValueStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

QString QSettingsKeyValueStore::Path(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

QVariant QSettingsKeyValueStore::Value(const std::string& section, const std::string& key) const
{
    return m_settings->value(Path(section, key));
}

std::optional<int> QSettingsKeyValueStore::ReadInt(const std::string& section, const std::string& key) const
{
    const QVariant v = Value(section, key);
    // INI files give integers back as text; a byte array or a list is never an integer.
    if (!v.isValid() || v.typeId() == QMetaType::QByteArray || v.typeId() == QMetaType::QStringList)
        return std::nullopt;
    bool ok = false;
    const int i = v.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(i) : std::nullopt;
}

void QSettingsKeyValueStore::WriteInt(const std::string& section, const std::string& key, int value)
{
    m_settings->setValue(Path(section, key), value);
}

std::optional<std::string> QSettingsKeyValueStore::ReadString(const std::string& section, const std::string& key) const
{
    const QVariant v = Value(section, key);
    if (!v.isValid() || v.typeId() == QMetaType::QByteArray)
        return std::nullopt;
    // A hand-edited value with an unquoted comma reads as a list; join it back.
    const QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
    return GbkCodec::FromUtf8(text.toUtf8().toStdString()).Bytes();
}

void QSettingsKeyValueStore::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    m_settings->setValue(Path(section, key), QString::fromStdString(GbkCodec::ToUtf8(GbkView(value))));
}

std::optional<std::vector<uint8_t>> QSettingsKeyValueStore::ReadBinary(const std::string& section,
                                                                       const std::string& key) const
{
    const QVariant v = Value(section, key);
    if (!v.isValid() || v.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const QByteArray b = v.toByteArray();
    return std::vector<uint8_t>(b.begin(), b.end());
}

void QSettingsKeyValueStore::WriteBinary(const std::string& section, const std::string& key,
                                         const std::vector<uint8_t>& value)
{
    m_settings->setValue(Path(section, key),
                         QByteArray(reinterpret_cast<const char*>(value.data()), static_cast<qsizetype>(value.size())));
}

void QSettingsKeyValueStore::Sync()
{
    m_settings->sync();
}
