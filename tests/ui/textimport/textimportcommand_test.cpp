#include "core/messages/messages.h"
#include "support/framefixture.h"
#include "support/ondialog.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/textimport/importdialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(TextImportCommand, ChosenFileGoesWhereTheDialogSays)
{
    const struct
    {
        const char *name;
        QByteArray content;
        ImportPosition position;
        bool breaks;
        bool ok;
        QString expected;
        const char *shown;
    } cases[] = {
        {"notes.txt", "a\r\nb", ImportPosition::Start, true, true, "a<BR>\r\nb<BR>\r\n<P>x</P>", nullptr},
        {"page.htm", "<B>", ImportPosition::End, true, true, "<B>\r\n<P>x</P>", nullptr},
        {"notes.txt", "a", ImportPosition::Start, true, false, "<P>x</P>", nullptr},
        {"image.txt", QByteArray("\x89PNG\0\0", 6), ImportPosition::Start, true, true, "<P>x</P>",
         "image.txt] n'existe pas ou il est protegé d'accès."},
    };
    for (const auto &c : cases) {
        DialogTesting t;
        t.host.setDocument(QStringLiteral("<P>x</P>"), 3, 0);
        t.chosenFiles.push_back(t.writeFile(QString::fromLatin1(c.name), c.content));
        onDialog<TImportFrm>([&c](TImportFrm &dialog) {
            dialog.positionButton(c.position)->setChecked(true);
            dialog.breaksBox()->setChecked(c.breaks);
            (c.ok ? dialog.okButton() : dialog.cancelButton())->click();
        });
        RunTextImport(t.services);
        EXPECT_EQ(t.host.text.text(), c.expected) << c.name;
        EXPECT_EQ(t.filters, QStringList{msg(3006)}) << c.name;
        if (c.shown) {
            EXPECT_TRUE(t.host.fakePrompts.shown.value(0).endsWith(QString::fromUtf8(c.shown))) << c.name;
        }
        EXPECT_EQ(t.host.fakePrompts.shown.size(), c.shown ? 1 : 0) << c.name;
    }
}

class TextImportMenu : public FrameFixture
{
};

// The menu item follows whether a page is open, from the first page made
// with Nouveau on.
TEST_F(TextImportMenu, IsEnabledWhileAPageIsOpen)
{
    start();
    QAction *import = nullptr;
    for (QAction *action : window->findChildren<QAction *>())
        if (action->text() == QStringLiteral("Im&portation d'un fichier"))
            import = action;
    ASSERT_NE(import, nullptr);
    EXPECT_FALSE(import->isEnabled());
    dialogs.titles.push_back(QStringLiteral("Titre"));
    files().NewDocument();
    EXPECT_TRUE(import->isEnabled());
    active()->text().setModified(false);
    files().closeAction()->trigger();
    EXPECT_FALSE(import->isEnabled());
}

} // namespace
