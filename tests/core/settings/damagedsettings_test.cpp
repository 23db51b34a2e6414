#include "core/settings/settings.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

// Whatever a value says, the program reads it within its range.
TEST(DamagedSettings, NumbersAreClampedToTheirRange)
{
    const struct
    {
        const char *key;
        QVariant stored;
        int Settings::*field;
        int expected;
    } cases[] = {
        {"Editeur/MargeGauche", QStringLiteral("-2147483648"), &Settings::leftMargin, 0},
        {"Editeur/MargeGauche", 2147483647, &Settings::leftMargin, Settings::MaxMargin},
        {"Editeur/MargeDroite", -5, &Settings::rightMargin, 0},
        {"Editeur/MargeDroite", QStringLiteral("2147483647"), &Settings::rightMargin, Settings::MaxMargin},
        {"Police/Taille", 0, &Settings::fontSize, Settings::MinFontSize},
        {"Police/Taille", 4000, &Settings::fontSize, Settings::MaxFontSize},
        {"Police/Taille", 12, &Settings::fontSize, 12},
        {"Browser/Numero", -1, &Settings::browserChoice, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key + std::string(" = ") + c.stored.toString().toStdString());
        QTemporaryDir dir;
        QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        store.setValue(QLatin1String(c.key), c.stored);
        Settings s;
        s.read(store);
        EXPECT_EQ(s.*c.field, c.expected);
    }
}

TEST(DamagedSettings, BooleansWrittenAsWordsAreReadAsSuch)
{
    const struct
    {
        QVariant stored;
        std::optional<bool> expected; // none: a word that is no boolean keeps the default
    } cases[] = {
        {QStringLiteral("true"), true},
        {QStringLiteral("false"), false},
        {QStringLiteral(" TRUE "), true},
        {true, true},
        {0, false},
        {1, true},
        {QStringLiteral("peut-être"), std::nullopt},
    };
    // Each flag has its own default; the stored value wins over it.
    const struct
    {
        const char *key;
        bool Settings::*field;
    } flags[] = {
        {"Editeur/Marge", &Settings::margins},
        {"Fichier/Backup", &Settings::backup},
        {"Explorer/Type", &Settings::fileUrls},
    };
    for (const auto &flag : flags) {
        for (const auto &c : cases) {
            SCOPED_TRACE(flag.key + std::string(" = ") + c.stored.toString().toStdString());
            QTemporaryDir dir;
            QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
            store.setValue(QLatin1String(flag.key), c.stored);
            Settings s;
            s.read(store);
            EXPECT_EQ(s.*flag.field, c.expected.value_or(Settings().*flag.field));
        }
    }
}
