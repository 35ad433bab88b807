#include "platform/SettingsStore.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>

namespace brellix {

QString SettingsStore::defaultFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) {
        folder = QDir::homePath() + QStringLiteral("/.config");
    }
    return folder + QStringLiteral("/Brellix/Brellix.ini");
}

SettingsStore::SettingsStore(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::filePath() const
{
    return m_settings->fileName();
}

QString SettingsStore::path(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

bool SettingsStore::contains(const QString& section, const QString& key) const
{
    return m_settings->contains(path(section, key));
}

bool SettingsStore::rawText(const QString& section, const QString& key, QString& text) const
{
    const QVariant value = m_settings->value(path(section, key));
    if (!value.isValid()) {
        return false;
    }
    // An unquoted value with commas in a hand-edited file reads as a list; it was one text.
    if (value.metaType().id() == QMetaType::QStringList) {
        text = value.toStringList().join(QStringLiteral(", "));
        return true;
    }
    if (!value.canConvert<QString>()) {
        return false;
    }
    text = value.toString();
    return true;
}

QString SettingsStore::getText(const QString& section, const QString& key,
                               const QString& fallback) const
{
    QString text;
    return rawText(section, key, text) ? text : fallback;
}

int32_t SettingsStore::getInt(const QString& section, const QString& key, int32_t fallback) const
{
    QString text;
    if (!rawText(section, key, text)) {
        return fallback;
    }
    bool ok = false;
    const int32_t value = text.trimmed().toInt(&ok, 10);
    return ok ? value : fallback;
}

float SettingsStore::getFloat(const QString& section, const QString& key, float fallback) const
{
    QString text;
    if (!rawText(section, key, text)) {
        return fallback;
    }
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    return ok ? value : fallback;
}

bool SettingsStore::getBool(const QString& section, const QString& key, bool fallback) const
{
    QString text;
    if (!rawText(section, key, text)) {
        return fallback;
    }
    text = text.trimmed();
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value != 0 : fallback;
}

int32_t SettingsStore::get(const IntSetting& key, int32_t fallback) const
{
    const int32_t value = getInt(key, fallback);
    return value >= key.minimum && value <= key.maximum ? value : fallback;
}

void SettingsStore::saveText(const QString& section, const QString& key, const QString& value)
{
    m_settings->setValue(path(section, key), value);
}

void SettingsStore::saveInt(const QString& section, const QString& key, int32_t value)
{
    saveText(section, key, QString::number(value));
}

void SettingsStore::saveFloat(const QString& section, const QString& key, float value)
{
    // Fewest digits first, so whole twips stay "1000" rather than "1000.00000".
    QString text;
    for (int digits = 6; digits <= 9; ++digits) {
        text = QString::number(static_cast<double>(value), 'g', digits);
        if (text.toFloat() == value) {
            break;
        }
    }
    saveText(section, key, text);
}

void SettingsStore::saveBool(const QString& section, const QString& key, bool value)
{
    saveText(section, key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void SettingsStore::deleteKey(const QString& section, const QString& key)
{
    m_settings->remove(path(section, key));
}

void SettingsStore::sync()
{
    m_settings->sync();
}

bool SettingsStore::isWritable() const
{
    return m_settings->isWritable();
}

} // namespace brellix
