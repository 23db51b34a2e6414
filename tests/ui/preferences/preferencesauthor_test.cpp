#include "core/settings/settings.h"
#include "support/framefixture.h"
#include "support/qstringprinter.h"
#include "ui/preferences/preferencesdialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

class PreferencesAuthor : public FrameFixture
{
};

// The author's name is set on the "Général" tab and comes back as typed.
TEST_F(PreferencesAuthor, FieldOnTheGeneralTabLoadsAndStoresTheName)
{
    for (const char *stored : {"Élise", ""}) {
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
TEST_F(PreferencesAuthor, NewPagesCarryTheNameOrTheAccountsName)
{
    ASSERT_FALSE(accountName().isEmpty());
    const std::pair<const char *, QString> cases[] = {
        {"Élise", QStringLiteral("Élise")}, {"", accountName()}, {"   ", accountName()}};
    for (const auto &[stored, expected] : cases) {
        store.setValue(QStringLiteral("Tessaline/Auteur"), QString::fromUtf8(stored));
        start();
        dialogs.titles = {QStringLiteral("t")};
        files().NewDocument();
        ASSERT_NE(active(), nullptr);
        EXPECT_EQ(str(active()->text().line(3)), str(QStringLiteral("     PAR: ") + expected + QStringLiteral(" -->")));
        stop();
    }
}
