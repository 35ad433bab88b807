// The per-user settings store: text values addressed by section and key in one INI file of the
// application "Brellix". Numbers are kept as decimal text, booleans as True or False. A value
// that is absent, or cannot be read as the type asked for, gives the caller's default. The
// viewer names its keys through SettingsKeys.h.
#pragma once

#include "platform/SettingsKeys.h"

#include <QSettings>
#include <QString>

#include <cstdint>
#include <memory>

namespace brellix {

class SettingsStore
{
public:
    // The file in the user's configuration folder: <config>/Brellix/Brellix.ini.
    static QString defaultFilePath();

    // Works on the given INI file; neither the file nor its folder need exist yet.
    explicit SettingsStore(const QString& filePath = defaultFilePath());
    ~SettingsStore();

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString filePath() const;

    bool contains(const QString& section, const QString& key) const;

    QString getText(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal integers only ("12", "-3"); anything else gives the fallback.
    int32_t getInt(const QString& section, const QString& key, int32_t fallback) const;
    // Decimal numbers ("1000", "1234.5").
    float getFloat(const QString& section, const QString& key, float fallback) const;
    // True or False in any letter case, or a decimal integer (non-zero is true), as the
    // platform's own conversion of a text to a boolean reads them; anything else gives the
    // fallback.
    bool getBool(const QString& section, const QString& key, bool fallback) const;

    // The same through a key of the catalogue.
    bool contains(const SettingKey& key) const { return contains(key.section, key.name); }
    QString getText(const SettingKey& key, const QString& fallback) const
    {
        return getText(key.section, key.name, fallback);
    }
    int32_t getInt(const SettingKey& key, int32_t fallback) const
    {
        return getInt(key.section, key.name, fallback);
    }
    float getFloat(const SettingKey& key, float fallback) const
    {
        return getFloat(key.section, key.name, fallback);
    }
    bool getBool(const SettingKey& key, bool fallback) const
    {
        return getBool(key.section, key.name, fallback);
    }
    // A stored value outside the key's range gives the fallback.
    int32_t get(const IntSetting& key) const { return get(key, key.fallback); }
    int32_t get(const IntSetting& key, int32_t fallback) const;
    float get(const SettingWithDefault<float>& key) const { return getFloat(key, key.fallback); }
    bool get(const SettingWithDefault<bool>& key) const { return getBool(key, key.fallback); }

    void saveText(const QString& section, const QString& key, const QString& value);
    void saveInt(const QString& section, const QString& key, int32_t value);
    // The shortest text that reads back as the same 32-bit float.
    void saveFloat(const QString& section, const QString& key, float value);
    void saveBool(const QString& section, const QString& key, bool value);

    // Deleting an absent key does nothing.
    void deleteKey(const QString& section, const QString& key);

    void saveText(const SettingKey& key, const QString& value)
    {
        saveText(key.section, key.name, value);
    }
    void saveInt(const SettingKey& key, int32_t value) { saveInt(key.section, key.name, value); }
    void saveFloat(const SettingKey& key, float value) { saveFloat(key.section, key.name, value); }
    void saveBool(const SettingKey& key, bool value) { saveBool(key.section, key.name, value); }
    void deleteKey(const SettingKey& key) { deleteKey(key.section, key.name); }

    // Writes pending changes to the file now (they are written at destruction anyway).
    void sync();
    // Whether changes can reach the file: it can be rewritten, or created with its folder.
    bool isWritable() const;

private:
    static QString path(const QString& section, const QString& key);
    bool rawText(const QString& section, const QString& key, QString& text) const;

    std::unique_ptr<QSettings> m_settings;
};

} // namespace brellix
