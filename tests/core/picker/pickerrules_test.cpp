#include "core/picker/pickerfiles.h"
#include "core/picker/pickerrules.h"

#include "support/filebytes.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Kind = NameFieldOutcome::Kind;

TEST(PickerRules, NameFieldOnAFolder)
{
    QTemporaryDir temp;
    const QString root = temp.path();
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("photos/2020.vacances")));
    writeAll(root + QStringLiteral("/photos/a.gif"), "GIF89a");
    writeAll(root + QStringLiteral("/LISEZMOI"), "x");
    const QString photos = root + QStringLiteral("/photos");

    const struct
    {
        const char *typed;
        Kind kind;
        QString mask, folder, fieldText, file;
    } cases[] = {
        {"", Kind::Nothing, {}, {}, {}, {}},
        {"*.png", Kind::SetMask, "*.png", {}, "", {}},
        {"photos\\*.gif", Kind::SetMask, "*.gif", photos, photos + "/", {}},
        {"nulle/part/*.gif", Kind::SetMask, "*.gif", {}, "nulle/part/", {}},
        {"photos", Kind::ChangeFolder, {}, photos, {}, {}},
        {"photos\\", Kind::ChangeFolder, {}, photos, {}, {}},
        {"photos/2020.vacances", Kind::ChangeFolder, {}, photos + "/2020.vacances", {}, {}},
        {"photos/../photos/a.gif", Kind::ChooseFile, {}, {}, "photos/../photos/a.gif", photos + "/a.gif"},
        {"LISEZMOI", Kind::ChooseFile, {}, {}, "LISEZMOI", root + "/LISEZMOI"},
        {"absent", Kind::FolderMissing, {}, {}, "absent", {}},
        {"absent.gif", Kind::FileMissing, {}, {}, "absent.gif", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        const NameFieldOutcome outcome = interpretNameField(QString::fromUtf8(c.typed), root);
        EXPECT_EQ(outcome.kind, c.kind);
        EXPECT_EQ(outcome.mask, c.mask);
        EXPECT_EQ(outcome.folder, c.folder);
        EXPECT_EQ(outcome.fieldText, c.fieldText);
        EXPECT_EQ(outcome.file, c.file);
    }
    // An absolute name ignores the list's folder.
    EXPECT_EQ(interpretNameField(photos, QStringLiteral("/")).folder, photos);
}

TEST(PickerRules, MessageTexts)
{
    EXPECT_EQ(deleteQuestion(QStringLiteral("/img/a.gif")),
              QStringLiteral("Voulez-vous vraiment effacer le fichier [/img/a.gif]?"));
    // A "%" in a name is text, not a place holder.
    EXPECT_EQ(moveQuestion(QStringLiteral("/img/100%1.gif"), QStringLiteral("/img/vieux")),
              QStringLiteral("Voulez-vous déplacer [/img/100%1.gif] vers le répertoire [/img/vieux]?"));
    EXPECT_EQ(statusText(0), QStringLiteral("0 graphique(s)"));
    EXPECT_EQ(statusText(5000), QStringLiteral("5000 graphique(s)"));
    EXPECT_EQ(dimensionText(640, 480), QStringLiteral("640x480"));
}

TEST(PickerRules, FilterListAndPatterns)
{
    const QList<PickerFilter> filters = parsePickerFilter(
        QStringLiteral("Fichiers graphiques (*.gif;*.jpg) |*.gif;*.jpg|Tous les fichiers (*.*) |*.*|Vide |"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters.at(0).caption, QStringLiteral("Fichiers graphiques (*.gif;*.jpg)"));
    EXPECT_EQ(filters.at(0).patterns, (QStringList{"*.gif", "*.jpg"}));
    EXPECT_EQ(filters.at(1).patterns, QStringList{"*"});

    const struct
    {
        const char *pattern, *name;
        bool matches;
    } cases[] = {
        {"*.gif", "PHOTO.GIF", true},  {"*.gif", "photo.Gif", true},       {"*.gif", "photo.png", false},
        {"*.jpg", "a.jpg.bak", false}, {"img[0-9].png", "IMG3.PNG", true}, {"img[0-9].png", "imgx.png", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + c.name);
        const QRegularExpression re(
            QRegularExpression::wildcardToRegularExpression(caseInsensitivePattern(QString::fromUtf8(c.pattern))));
        EXPECT_EQ(re.match(QString::fromUtf8(c.name)).hasMatch(), c.matches);
    }
}

TEST(PickerFiles, MoveFallsBackToCopyAndNeverLosesTheFile)
{
    const struct
    {
        const char *name;
        bool renameWorks, copyWorks, copyLeavesPiece, removeWorks, targetExists;
        MoveResult result;
        bool sourceLeft, targetLeft;
    } cases[] = {
        {"rename", true, true, false, true, false, MoveResult::Moved, false, true},
        {"rename fails: copy then delete", false, true, false, true, false, MoveResult::Moved, false, true},
        {"copy fails: source kept", false, false, false, true, false, MoveResult::CopyFailed, true, false},
        {"copy cut short: piece removed", false, false, true, true, false, MoveResult::CopyFailed, true, false},
        {"source cannot go", false, true, false, false, false, MoveResult::SourceNotRemoved, true, true},
        {"target exists: untouched", true, true, false, true, true, MoveResult::TargetExists, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir temp;
        const QString from = temp.filePath(QStringLiteral("a.gif"));
        const QString folder = temp.filePath(QStringLiteral("autre"));
        const QString to = folder + QStringLiteral("/a.gif");
        ASSERT_TRUE(QDir().mkpath(folder));
        writeAll(from, "source");
        if (c.targetExists)
            writeAll(to, "ancien");
        PickerFileOps ops = PickerFileOps::system();
        if (!c.renameWorks)
            ops.rename = [](const QString &, const QString &) { return false; };
        if (!c.copyWorks)
            ops.copy = [&c](const QString &, const QString &target) {
                if (c.copyLeavesPiece)
                    writeAll(target, "sou");
                return false;
            };
        if (!c.removeWorks)
            ops.remove = [](const QString &) { return false; };

        EXPECT_EQ(movePickerFile(from, folder, ops), c.result);
        EXPECT_EQ(QFile::exists(from), c.sourceLeft);
        EXPECT_EQ(QFile::exists(to), c.targetLeft);
        if (c.sourceLeft) {
            EXPECT_EQ(readAll(from), "source");
        }
        if (c.targetLeft) {
            EXPECT_EQ(readAll(to), c.targetExists ? "ancien" : "source");
        }
        EXPECT_EQ(moveFailureText(c.result, from).isEmpty(), c.result == MoveResult::Moved);
    }
    QTemporaryDir temp;
    writeAll(temp.filePath(QStringLiteral("b.gif")), "x");
    EXPECT_EQ(movePickerFile(temp.filePath(QStringLiteral("b.gif")), temp.path() + QStringLiteral("/.")),
              MoveResult::SameFolder);
}

} // namespace
