#include "ShellTestSupport.h"

#include <QFile>
#include <QSettings>

namespace {

using shelltest::ShellTest;

class SettingsStoreTest : public ShellTest
{
};

TEST_F(SettingsStoreTest, AbsentKeysGiveTheCallersDefaults)
{
    brellix::SettingsStore& store = settings();
    EXPECT_FALSE(store.contains(QStringLiteral("Settings"), QStringLiteral("MainLeft")));
    EXPECT_EQ(store.getText(QStringLiteral("Options"), QStringLiteral("MRUDir"),
                            QStringLiteral("fallback")),
              QStringLiteral("fallback"));
    EXPECT_EQ(store.getInt(QStringLiteral("Options"), QStringLiteral("Depth format"), 7), 7);
    EXPECT_EQ(store.getFloat(QStringLiteral("Settings"), QStringLiteral("MainTop"), 1000.0f),
              1000.0f);
    EXPECT_TRUE(
        store.getBool(QStringLiteral("Options"), QStringLiteral("Show Chart Settings"), true));
}

TEST_F(SettingsStoreTest, ValuesAreStoredAsTheirTextInSectionsOfTheIniFile)
{
    settings().saveInt(QStringLiteral("Options"), QStringLiteral("ColorMode3"), 5);
    settings().saveBool(QStringLiteral("Settings"), QStringLiteral("AutoSense"), false);
    settings().saveFloat(QStringLiteral("Settings"), QStringLiteral("MainLeft"), 1005.0f);
    settings().saveFloat(QStringLiteral("Settings"), QStringLiteral("MainTop"), 1234.5f);
    settings().saveText(QStringLiteral("Options"), QStringLiteral("MRUDir"),
                        QStringLiteral("/home/user/logs/"));
    settings().sync();

    QSettings raw(settingsPath(), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Options/ColorMode3")).toString(), QStringLiteral("5"));
    EXPECT_EQ(raw.value(QStringLiteral("Settings/AutoSense")).toString(), QStringLiteral("False"));
    EXPECT_EQ(raw.value(QStringLiteral("Settings/MainLeft")).toString(), QStringLiteral("1005"));
    EXPECT_EQ(raw.value(QStringLiteral("Settings/MainTop")).toString(), QStringLiteral("1234.5"));
    EXPECT_EQ(raw.value(QStringLiteral("Options/MRUDir")).toString(),
              QStringLiteral("/home/user/logs/"));
}

TEST_F(SettingsStoreTest, ValuesSurviveTheNextRun)
{
    settings().saveInt(QStringLiteral("Options"), QStringLiteral("Position format"), 3);
    settings().saveBool(QStringLiteral("Options"), QStringLiteral("Show Chart Settings"), false);
    brellix::SettingsStore& next = reopenSettings();
    EXPECT_EQ(next.getInt(QStringLiteral("Options"), QStringLiteral("Position format"), 2), 3);
    EXPECT_FALSE(
        next.getBool(QStringLiteral("Options"), QStringLiteral("Show Chart Settings"), true));
}

TEST_F(SettingsStoreTest, UnreadableValuesCountAsAbsent)
{
    struct Case
    {
        const char* text;
        int32_t asInt;
        float asFloat;
        bool asBool;
    };
    // Fallbacks: int 9, float 7.5, bool true.
    const Case cases[] = {
        {"abc", 9, 7.5f, true},    {"", 9, 7.5f, true},
        {"12x", 9, 7.5f, true},    {"2.5", 9, 2.5f, true},
        {"False", 9, 7.5f, false}, {"true", 9, 7.5f, true},
        {"0", 0, 0.0f, false},     {"-3", -3, -3.0f, true},
        {" 42 ", 42, 42.0f, true}, {"99999999999", 9, 99999999999.0f, true},
    };
    for (const Case& c : cases) {
        settings().saveText(QStringLiteral("Settings"), QStringLiteral("Probe"),
                            QString::fromLatin1(c.text));
        SCOPED_TRACE(c.text);
        EXPECT_EQ(settings().getInt(QStringLiteral("Settings"), QStringLiteral("Probe"), 9),
                  c.asInt);
        EXPECT_EQ(settings().getFloat(QStringLiteral("Settings"), QStringLiteral("Probe"), 7.5f),
                  c.asFloat);
        EXPECT_EQ(settings().getBool(QStringLiteral("Settings"), QStringLiteral("Probe"), true),
                  c.asBool);
    }
}

TEST_F(SettingsStoreTest, AnIntegerKeyOutsideItsRangeGivesTheDefault)
{
    const brellix::IntSetting format{
        {QStringLiteral("Options"), QStringLiteral("Depth format")}, 0, 0, 1};
    struct Case
    {
        const char* text;
        int32_t withKeyDefault;
        int32_t withDefault1;
    };
    for (const Case& c :
         {Case{"1", 1, 1}, Case{"0", 0, 0}, Case{"2", 0, 1}, Case{"-1", 0, 1}, Case{"x", 0, 1}}) {
        SCOPED_TRACE(c.text);
        settings().saveText(format.section, format.name, QLatin1String(c.text));
        EXPECT_EQ(settings().get(format), c.withKeyDefault);
        EXPECT_EQ(settings().get(format, 1), c.withDefault1);
    }
}

TEST_F(SettingsStoreTest, DeletingAKeyBringsBackTheDefault)
{
    settings().saveFloat(QStringLiteral("Settings"), QStringLiteral("ChartOptionsLeft"), 300.0f);
    settings().deleteKey(QStringLiteral("Settings"), QStringLiteral("ChartOptionsLeft"));
    settings().deleteKey(QStringLiteral("Settings"), QStringLiteral("NeverWritten"));
    EXPECT_FALSE(
        settings().contains(QStringLiteral("Settings"), QStringLiteral("ChartOptionsLeft")));
    EXPECT_EQ(
        settings().getFloat(QStringLiteral("Settings"), QStringLiteral("ChartOptionsLeft"), -1.0f),
        -1.0f);
}

TEST_F(SettingsStoreTest, TheStoreNeedsNoFolderBeforehand)
{
    const QString deep = filePath(QStringLiteral("a/b/Brellix.ini"));
    {
        brellix::SettingsStore store(deep);
        store.saveInt(QStringLiteral("Options"), QStringLiteral("LPT Port"), 2);
    }
    EXPECT_TRUE(QFile::exists(deep));
    brellix::SettingsStore again(deep);
    EXPECT_EQ(again.getInt(QStringLiteral("Options"), QStringLiteral("LPT Port"), 1), 2);
}

TEST_F(SettingsStoreTest, TheDefaultFileIsBrellixInTheUsersConfigurationFolder)
{
    EXPECT_TRUE(
        brellix::SettingsStore::defaultFilePath().endsWith(QStringLiteral("/Brellix/Brellix.ini")));
}

} // namespace
