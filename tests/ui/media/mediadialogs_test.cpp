#include "core/messages/messages.h"
#include "support/ondialog.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/media/appletdialog.h"
#include "ui/media/embeddialog.h"
#include "ui/media/marqueedialog.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(MediaDialogs, MarqueeWrapsTheSelection)
{
    DialogTesting t;
    t.host.setDocument(QStringLiteral("a<b>c"), 1, 3);
    TMarqueeFrm dialog(t.services);
    EXPECT_TRUE(dialog.previewTimer()->isActive());
    dialog.directionGroup()->button(1)->setChecked(true);
    dialog.widthField()->setText(QStringLiteral("80"));
    dialog.widthPercentBox()->setChecked(true);
    dialog.okButton()->click();
    EXPECT_EQ(t.host.text.text(), QStringLiteral("a<MARQUEE DIRECTION=RIGHT WIDTH=80%><b></MARQUEE>c"));
    EXPECT_FALSE(dialog.previewTimer()->isActive());
    t.host.undo.Undo();
    EXPECT_EQ(t.host.text.text(), QStringLiteral("a<b>c"));
}

// A screen reader tells the marquee's three choice groups apart by name.
TEST(MediaDialogs, MarqueeGroupsHaveTheirOwnNames)
{
    DialogTesting t;
    TMarqueeFrm dialog(t.services);
    QStringList names;
    for (QButtonGroup *group : {dialog.behaviorGroup(), dialog.directionGroup(), dialog.alignGroup()}) {
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(group->button(0)->parentWidget());
        ASSERT_NE(box, nullptr);
        names << box->text(QAccessible::Name);
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("Comportement"), QStringLiteral("Direction"),
                                  QStringLiteral("Alignement vertical")}));
}

TEST(MediaDialogs, AppletIsReEditedInPlace)
{
    const QString applet = QStringLiteral("<APPLET CODE=\"A.class\" ALIGN=top WIDTH=320 HEIGHT=240>\r\n"
                                          "  <PARAM NAME=\"a\" VALUE=\"1\">\r\n</APPLET>\r\n");
    DialogTesting t;
    const QString page = "x" + applet + "y";
    t.host.setDocument(page, 0, int(page.size()));
    onDialog<TAppletFrm>([](TAppletFrm &d) {
        EXPECT_EQ(d.parameterList()->count(), 1);
        d.parameterName()->setText(QStringLiteral("b"));
        d.parameterValue()->setText(QStringLiteral("deux mots"));
        d.addButton()->click();
        d.upButton()->click();
        d.okButton()->click();
    });
    RunAppletCommand(t.services);
    EXPECT_EQ(t.host.text.text(), QStringLiteral("x<APPLET CODE=\"A.class\" ALIGN=top WIDTH=320 HEIGHT=240>\r\n"
                                                 "  <PARAM NAME=\"b\" VALUE=\"deux mots\">\r\n"
                                                 "  <PARAM NAME=\"a\" VALUE=\"1\">\r\n</APPLET>\r\ny"));
    t.host.undo.Undo();
    EXPECT_EQ(t.host.text.text(), page);

    TAppletFrm empty(t.services, QString());
    empty.okButton()->click();
    EXPECT_EQ(t.host.fakePrompts.shown, QStringList{QStringLiteral("information:") + msg(41)});
    EXPECT_EQ(t.host.text.text(), page);
}

TEST(MediaDialogs, EmbedAndSoundChecksAndTags)
{
    const struct
    {
        const char *name;
        TEmbedFrm::Page page;
        const char *source;
        std::deque<FakePrompts::Answer> answers;
        const char *inserted;
        const char *said;
    } cases[] = {
        {"no source", TEmbedFrm::Page::Sound, "", {}, "", "information:32"},
        {"missing file refused", TEmbedFrm::Page::Sound, "absent.wav", {FakePrompts::Answer::No}, "", "75"},
        {"missing file accepted",
         TEmbedFrm::Page::Sound,
         "absent.wav",
         {FakePrompts::Answer::Yes},
         "<BGSOUND SRC=\"absent.wav\" LOOP=1>",
         "75"},
        {"embed", TEmbedFrm::Page::Embed, "clip.avi", {}, "<EMBED SRC=\"clip.avi\" WIDTH=145 HEIGHT=60 LOOP=true>", ""},
        {"video page inserts nothing", TEmbedFrm::Page::Video, "clip.avi", {}, "", ""},
    };
    for (const auto &c : cases) {
        DialogTesting t;
        t.writeFile(QStringLiteral("clip.avi"));
        t.host.setDocument(QString(), 0, 0);
        t.host.fakePrompts.answers = c.answers;
        TEmbedFrm dialog(t.services, c.page);
        dialog.sourceField()->setEditText(QString::fromLatin1(c.source));
        if (dialog.loopBox())
            dialog.loopBox()->setChecked(true);
        dialog.okButton()->click();
        EXPECT_EQ(t.host.text.text(), QString::fromLatin1(c.inserted)) << c.name;
        const QString said = QString::fromLatin1(c.said);
        const QString expected = said.isEmpty()          ? QString()
                                 : said.startsWith(u'i') ? QStringLiteral("information:") + msg(32)
                                                         : msg(75);
        const QString actual = (t.host.fakePrompts.shown + t.host.fakePrompts.asked).join(u'\n');
        EXPECT_EQ(actual, expected) << c.name;
    }
}

} // namespace
