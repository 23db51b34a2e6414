#include "core/messages/messages.h"
#include "support/ondialog.h"
#include "ui/body/bodydialog.h"
#include "ui/body/pagesketch.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/preferences/colorswatchbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString Defaults =
    QStringLiteral("BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#000080\" VLINK=\"#800080\" ALINK=\"#FF0000\"");

TEST(BodyDialog, CommandRereadsAndWritesTheTag)
{
    const QString edited = QStringLiteral("<BODY BACKGROUND=\"fond.png\" BGCOLOR=\"#102030\" TEXT=\"#000000\" "
                                          "LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\" LEFTMARGIN=\"0\" "
                                          "onLoad=\"go()\">");
    const struct
    {
        const char *name;
        QString page;
        std::function<void(TBodyFrm &)> edit;
        QString after;
        int questions;
    } cases[] = {
        {"unchanged", "<HTML>\r\n" + edited + "\r\nx", [](TBodyFrm &) {}, "<HTML>\r\n" + edited + "\r\nx", 1},
        {"new page, Explorer", "<HTML>\r\n", [](TBodyFrm &d) { d.explorerButton()->setChecked(true); },
         "<HTML>\r\n<BODY BGCOLOR=\"#C0C0C0\" TEXT=\"#000000\" LINK=\"#0000FF\" VLINK=\"#800080\" "
         "ALINK=\"#FF0000\">",
         0},
        // A bare tag gets only what the author set, not the five default colours.
        {"bare tag, margins and cleared", "<BODY>x",
         [](TBodyFrm &d) {
             d.fixedBox()->setChecked(true);
             d.clearButton()->click();
             d.topMarginField()->setValue(0);
             d.leftMarginField()->setValue(10);
             d.colourButton(TBodyFrm::Text)->setColor(QColor(1, 2, 3));
         },
         "<BODY TEXT=\"#010203\" TOPMARGIN=\"0\">x", 1},
        {"events", "", [](TBodyFrm &d) { d.events()->setCall(JsEvent::onUnload, QStringLiteral("fin()")); },
         "<BODY " + Defaults + " onUnload=\"fin()\">", 0},
    };
    for (const auto &c : cases) {
        DialogTesting t;
        t.writeFile(QStringLiteral("fond.png"), QByteArray());
        t.host.setDocument(c.page, int(c.page.size()), 0);
        t.host.fakePrompts.answers.push_back(FakePrompts::Answer::Yes);
        onDialog<TBodyFrm>([&c](TBodyFrm &dialog) {
            c.edit(dialog);
            dialog.okButton()->click();
        });
        RunBodyCommand(t.services);
        EXPECT_EQ(t.host.text.text(), c.after) << c.name;
        EXPECT_EQ(t.host.fakePrompts.asked.size(), c.questions) << c.name;
    }
}

TEST(BodyDialog, MissingBackgroundAskedAndSketchFollows)
{
    DialogTesting t;
    QImage tile(4, 4, QImage::Format_RGB32);
    tile.fill(Qt::red);
    tile.save(t.folder.filePath(QStringLiteral("tuile.png")));
    t.host.setDocument(QStringLiteral("x"), 0, 0);
    TBodyFrm dialog(t.services, QString());
    dialog.backgroundField()->setEditText(QStringLiteral("tuile.png"));
    EXPECT_EQ(dialog.sketch()->backgroundPicture().size(), QSize(4, 4));
    dialog.colourButton(TBodyFrm::Link)->setColor(Qt::green);
    EXPECT_EQ(dialog.sketch()->sampleColour(PageSketch::Link), QColor(Qt::green));

    dialog.backgroundField()->setEditText(QStringLiteral("absent.gif"));
    EXPECT_TRUE(dialog.sketch()->backgroundPicture().isNull());
    t.host.fakePrompts.answers.push_back(FakePrompts::Answer::No);
    dialog.okButton()->click();
    EXPECT_EQ(t.host.fakePrompts.asked, QStringList{msg(75)});
    EXPECT_EQ(t.host.text.text(), QStringLiteral("x"));
}

} // namespace
