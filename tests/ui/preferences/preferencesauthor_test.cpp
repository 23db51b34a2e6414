#include "core/settings/settings.h"
#include "support/fakeprompts.h"
#include "support/fakeshelldialogs.h"
#include "support/qstringprinter.h"
#include "ui/preferences/preferencesdialog.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// The author's name is set on the "Général" tab and comes back as typed.
TEST(PreferencesAuthor, FieldOnTheGeneralTabLoadsAndStoresTheName)
{
    for (const char *stored : {"Élise", ""}) {
        FakePrompts prompts;
        Settings in;
        in.authorName = QString::fromUtf8(stored);
        PreferencesDialog dialog(in, prompts);
        auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("authorName"));
        ASSERT_NE(field, nullptr);
        EXPECT_TRUE(dialog.tabs()->widget(0)->isAncestorOf(field));
        EXPECT_EQ(str(field->text()), stored);
        QLabel *label = nullptr;
        for (QLabel *l : dialog.findChildren<QLabel *>()) {
            if (l->buddy() == field)
                label = l;
        }
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(str(label->text()), "A&uteur:");

        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("Jean Dupont"));
        Settings out;
        dialog.store(out);
        EXPECT_EQ(str(out.authorName), "Jean Dupont");
    }
}

// An empty name falls back to the account's name in new page headers.
TEST(PreferencesAuthor, NewPagesCarryTheNameOrTheAccountsName)
{
    ASSERT_FALSE(accountName().isEmpty());
    struct Case
    {
        const char *stored;
        QString expected;
    };
    const Case cases[] = {
        {"Élise", QStringLiteral("Élise")},
        {"", accountName()},
        {"   ", accountName()},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        store.setValue(QStringLiteral("Tessaline/APropos"), 0);
        store.setValue(QStringLiteral("Tessaline/Auteur"), QString::fromUtf8(c.stored));
        FakePrompts prompts;
        FakeShellDialogs dialogs;
        MainWindow window(MainWindow::Services{&store, &prompts, &dialogs});
        window.show();
        dialogs.titles = {QStringLiteral("t")};
        window.files()->NewDocument();
        ASSERT_NE(window.activeDocument(), nullptr);
        EXPECT_EQ(str(window.activeDocument()->text().line(3)),
                  str(QStringLiteral("     PAR: ") + c.expected + QStringLiteral(" -->")));
        window.activeDocument()->text().setModified(false);
        window.close();
    }
}
