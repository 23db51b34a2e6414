#include "ui/dialogs/headdialogs.h"

#include "core/messages/messages.h"
#include "dialogtesting.h"
#include "support/marked.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

TEST(HeaderDialog, MetaPresetsFillAndShowTheirFields)
{
    DialogTesting t;
    HeaderDialog dialog(t.services, HeaderDialog::MetaPage);
    dialog.show();
    EXPECT_EQ(dialog.pages()->currentIndex(), 1);
    const struct
    {
        int preset;
        QString equiv, content, nameCaption;
        bool name, delay, url, browse;
    } cases[] = {
        {MetaRefresh, "Refresh", "", "&Nom:", false, true, false, true},
        {MetaExtCache, "Ext-cache", "name=", "&" + msg(525), true, false, false, false},
        {MetaAuthor, "Author", "", "&Nom:", false, false, false, false},
        {MetaNone, "", "", "&Nom:", true, false, true, false},
    };
    for (const auto &c : cases) {
        dialog.metaContent()->setText(QStringLiteral("ancien"));
        dialog.metaPresets()->button(c.preset)->click();
        EXPECT_EQ(dialog.metaEquiv()->text(), c.equiv);
        EXPECT_EQ(dialog.metaContent()->text(), c.content);
        EXPECT_EQ(dialog.metaNameCaption()->text(), c.nameCaption);
        EXPECT_EQ(dialog.metaName()->isVisible(), c.name) << c.preset;
        EXPECT_EQ(dialog.delay()->isVisible(), c.delay) << c.preset;
        EXPECT_EQ(dialog.metaUrl()->isVisible(), c.url) << c.preset;
        EXPECT_EQ(dialog.contentBrowse()->isVisible(), c.browse) << c.preset;
    }
    dialog.delay()->setValue(0);
    EXPECT_EQ(dialog.delay()->value(), 1);
}

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
