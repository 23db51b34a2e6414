#include "ui/dialogs/headdialogs.h"

#include "core/messages/messages.h"
#include "dialogtesting.h"
#include "support/marked.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

TEST(HeaderDialog, MissingLinkedFileAsksAndEmptyPagesChangeNothing)
{
    DialogTesting t;
    t.host.setDocument(QStringLiteral("x"), 1, 0);
    HeaderDialog dialog(t.services, HeaderDialog::LinkPage);
    dialog.show();
    dialog.okButton()->click(); // nothing filled in
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(t.host.undo.count(), 0);
    dialog.show();
    dialog.link()->setEditText(QStringLiteral("absent.htm"));
    dialog.okButton()->click(); // No to message 75
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(t.host.fakePrompts.asked, QStringList{msg(75)});
    t.host.fakePrompts.answers = {Prompts::Answer::Yes};
    dialog.relation()->setText(QStringLiteral("Index"));
    dialog.okButton()->click();
    EXPECT_EQ(t.host.text.text(), QStringLiteral("x<LINK HREF=\"absent.htm\" REL=Index>\r\n"));
}

} // namespace
