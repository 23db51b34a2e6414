#include "support/framefixture.h"
#include "support/ondialog.h"
#include "ui/dialogs/headdialogs.h"
#include "ui/shell/qtshelldialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class NewPageTitle : public FrameFixture
{
};

// Nouveau asks with the "Titre du document" dialog: its help, its label as
// the field's buddy, an empty field, and OK changes no page.
TEST_F(NewPageTitle, IsAskedWithTheTitleDialog)
{
    start();
    const QByteArray page = "<HTML><HEAD><TITLE>Ancien</TITLE></HEAD></HTML>";
    ASSERT_NE(openPage(QStringLiteral("a.htm"), page), nullptr);
    QtShellDialogs shell(window.get());
    for (const bool ok : {true, false}) {
        onDialog<TitleDialog>([ok](TitleDialog &dialog) {
            EXPECT_TRUE(dialog.titleField()->text().isEmpty());
            EXPECT_TRUE(dialog.helpButton()->isVisible());
            bool buddy = false;
            for (QLabel *label : dialog.findChildren<QLabel *>())
                buddy = buddy || label->buddy() == dialog.titleField();
            EXPECT_TRUE(buddy);
            QTest::keyClicks(dialog.titleField(), QStringLiteral("Nouveau titre"));
            (ok ? dialog.okButton() : dialog.cancelButton())->click();
        });
        const std::optional<QString> title = shell.askPageTitle();
        EXPECT_EQ(title, ok ? std::optional<QString>(QStringLiteral("Nouveau titre")) : std::nullopt);
        EXPECT_EQ(active()->text().text(), QString::fromLatin1(page));
        EXPECT_FALSE(active()->text().isModified());
    }
}

} // namespace
