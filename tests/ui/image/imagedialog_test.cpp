#include "core/messages/messages.h"
#include "core/table/tablemodel.h"
#include "support/ondialog.h"
#include "ui/dialogs/dialogtesting.h"
#include "ui/forms/formdialog.h"
#include "ui/image/imagecommands.h"
#include "ui/image/imagedialog.h"
#include "ui/media/embeddialog.h"
#include "ui/table/celldialog.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The frame with a 40 x 30 picture "a.png" beside the page.
struct ImageTesting : DialogTesting
{
    ImageTesting()
    {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(folder.filePath(QStringLiteral("a.png")));
    }
    QString picture() const { return folder.filePath(QStringLiteral("a.png")); }
};

QToolButton *browseButton(TImgSrcFrm &d)
{
    for (auto *b : d.findChildren<QToolButton *>()) {
        if (b->text() == u"...")
            return b;
    }
    return nullptr;
}

TEST(ImageDialog, SelectedElementsReadBackAndWrittenUnchanged)
{
    const struct
    {
        bool formImage;
        const char *page;
        const char *checkedAlign;
    } cases[] = {
        {false, "x<IMG SRC=\"a.png\" BORDER=0 WIDTH=80 HEIGHT=60 ALIGN=\"absmiddle\">y", "&Abs au milieu"},
        {false,
         "<P><IMG SRC=\"a.png\" LOWSRC=\"a.png\" BORDER=2 NAME=\"logo\" ALT=\"Un logo\" HSPACE=4 VSPACE=5"
         " DYNSRC=\"clip.avi\" LOOP=-1 START=MOUSEOVER CONTROLS ISMAP onLoad=\"charge()\">",
         "En &bas"},
        {true, "<FORM>\r\n<INPUT TYPE=\"image\" SRC=\"a.png\" BORDER=0 ALT=\"Envoyer\" ALIGN=\"left\">\r\n</FORM>",
         "A &gauche"},
    };
    for (const auto &c : cases) {
        ImageTesting t;
        const QString page = QString::fromUtf8(c.page);
        t.host.setDocument(page, 0, int(page.size()));
        bool shown = false;
        onDialog<TImgSrcFrm>([&](TImgSrcFrm &d) {
            shown = true;
            EXPECT_EQ(d.alignMenu()->actions().size(), 10); // with the separator
            for (QAction *a : d.alignMenu()->actions()) {
                if (a->isChecked()) {
                    EXPECT_EQ(a->text(), QString::fromUtf8(c.checkedAlign)) << c.page;
                }
            }
            EXPECT_FALSE(d.previewPicture().isNull()) << c.page;
            d.okButton()->click();
        });
        RunImageCommand(t.services, c.formImage);
        EXPECT_TRUE(shown);
        EXPECT_EQ(t.host.text.text(), page) << c.page;
        EXPECT_EQ(t.host.undo.count(), 1) << c.page;
        EXPECT_TRUE(t.host.fakePrompts.shown.isEmpty() && t.host.fakePrompts.asked.isEmpty()) << c.page;
    }
}

TEST(ImageDialog, OkChecksThePictures)
{
    const QString logo = QStringLiteral("<IMG SRC=\"a.png\" BORDER=0 WIDTH=40 HEIGHT=30>");
    const struct
    {
        const char *source;
        const char *quick;
        std::deque<FakePrompts::Answer> answers;
        QString inserted;
        int message;
    } cases[] = {
        {"", "", {}, QString(), 40},
        {"absent.png", "", {FakePrompts::Answer::No}, QString(), 75},
        {"absent.png", "", {FakePrompts::Answer::Yes}, QStringLiteral("<IMG SRC=\"absent.png\" BORDER=0>"), 75},
        {"a.png", "absent.gif", {FakePrompts::Answer::No}, QString(), 75},
        {"a.png", "", {}, logo, 0},
        // A picture that cannot be read does not stop the dialog.
        {"casse.png", "", {}, QStringLiteral("<IMG SRC=\"casse.png\" BORDER=0>"), 0},
    };
    for (const auto &c : cases) {
        ImageTesting t;
        t.writeFile(QStringLiteral("casse.png"), "pas une image");
        t.host.setDocument(QStringLiteral("ab"), 1, 0);
        t.host.fakePrompts.answers = c.answers;
        TImgSrcFrm d(t.services, TImgSrcFrm::Mode::Image, QString());
        d.sourceField()->setEditText(QString::fromUtf8(c.source));
        d.lowSourceField()->setEditText(QString::fromUtf8(c.quick));
        d.mainPreviewButton()->setChecked(true);
        const bool broken = QString::fromUtf8(c.source) == u"casse.png";
        EXPECT_EQ(d.previewStatus()->text().isEmpty(), !broken) << c.source;
        EXPECT_EQ(d.previewPicture().isNull(), QString::fromUtf8(c.source) != u"a.png") << c.source;
        d.okButton()->click();
        EXPECT_EQ(t.host.text.text(), u'a' + c.inserted + u'b') << c.source;
        const QStringList said = t.host.fakePrompts.shown + t.host.fakePrompts.asked;
        EXPECT_EQ(said.isEmpty(), c.message == 0) << c.source;
        EXPECT_TRUE(c.message == 0 || said.join(u'|').contains(msg(c.message))) << c.source;
    }
}

TEST(ImageDialog, BrowsingProposesThePictureSize)
{
    ImageTesting t;
    t.host.setDocument(QStringLiteral("ab"), 1, 0);
    TImgSrcFrm d(t.services, TImgSrcFrm::Mode::Image, QString());
    d.widthField()->setText(QStringLiteral("7"));
    t.chosenFiles.push_back(t.picture());
    browseButton(d)->click();
    EXPECT_EQ(t.filters, QStringList{msg(3003)});
    EXPECT_EQ(d.sourceField()->currentText(), QStringLiteral("a.png"));
    EXPECT_EQ(d.widthField()->text() + u'x' + d.heightField()->text(), QStringLiteral("40x30"));
    // The preview takes the typed size; Up and Down step it.
    d.widthField()->setText(QStringLiteral("80"));
    EXPECT_EQ(d.previewLabel()->pixmap().size(), QSize(80, 30));
    QTest::keyClick(d.heightField(), Qt::Key_Up);
    EXPECT_EQ(d.heightField()->text(), QStringLiteral("31"));
    d.borderField()->clear();
    QTest::keyClick(d.borderField(), Qt::Key_Down);
    EXPECT_EQ(d.borderField()->text(), QStringLiteral("0"));
    d.clearButton()->click();
    EXPECT_TRUE(d.sourceField()->currentText().isEmpty() && d.previewLabel()->pixmap().isNull());
    EXPECT_EQ(d.widthField()->text(), QStringLiteral("0"));
}

TEST(ImageDialog, FormImageOutsideAFormGetsANewForm)
{
    for (const bool confirmForm : {false, true}) {
        ImageTesting t;
        t.host.setDocument(QStringLiteral("ab"), 1, 0);
        bool stayed = false;
        onDialog<TImgSrcFrm>([&](TImgSrcFrm &d) {
            EXPECT_FALSE(d.videoButton()->isVisibleTo(&d) || d.isMapBox()->isVisibleTo(&d));
            EXPECT_EQ(d.windowTitle(), msg(416));
            d.sourceField()->setEditText(QStringLiteral("a.png"));
            onDialog<FormDialog>([&](FormDialog &f) { (confirmForm ? f.okButton() : f.cancelButton())->click(); });
            d.okButton()->click();
            stayed = d.isVisible();
            if (stayed)
                d.cancelButton()->click();
        });
        RunImageCommand(t.services, true);
        EXPECT_EQ(stayed, !confirmForm);
        if (!confirmForm) {
            EXPECT_EQ(t.host.text.text(), QStringLiteral("ab"));
            continue;
        }
        EXPECT_EQ(
            t.host.text.text(),
            QStringLiteral("a<FORM>\r\n<INPUT TYPE=\"image\" SRC=\"a.png\" BORDER=0 WIDTH=40 HEIGHT=30>\r\n</FORM>b"));
        EXPECT_EQ(t.host.undo.count(), 1);
    }
}

TEST(ImageDialog, VideoSettingsKeptWhileTheDialogLives)
{
    ImageTesting t;
    t.writeFile(QStringLiteral("clip.avi"));
    TImgSrcFrm d(t.services, TImgSrcFrm::Mode::Image, QString());
    onDialog<TEmbedFrm>([](TEmbedFrm &e) {
        EXPECT_EQ(e.windowTitle(), msg(399));
        e.sourceField()->setEditText(QStringLiteral("clip.avi"));
        e.repeatField()->setText(QStringLiteral("-1"));
        e.okButton()->click();
    });
    d.videoButton()->click();
    onDialog<TEmbedFrm>([](TEmbedFrm &e) {
        EXPECT_EQ(e.sourceField()->currentText(), QStringLiteral("clip.avi"));
        EXPECT_EQ(e.repeatField()->text(), QStringLiteral("-1"));
        e.cancelButton()->click();
    });
    d.videoButton()->click();
    EXPECT_TRUE(BuildImageTag(d.properties(), false).contains(QStringLiteral(" DYNSRC=\"clip.avi\" LOOP=-1")));
    d.clearButton()->click();
    EXPECT_TRUE(d.properties().video.source.isEmpty());
}

TEST(ImageDialog, QuickImageAndTheTagForOtherDialogs)
{
    ImageTesting t;
    t.host.setDocument(QStringLiteral("ab"), 1, 0);
    t.chosenFiles.push_back(t.picture());
    RunQuickImage(t.services);
    const QString tag = QStringLiteral("<IMG SRC=\"a.png\" BORDER=0 WIDTH=40 HEIGHT=30>");
    EXPECT_EQ(t.host.text.text(), u'a' + tag + u'b');

    // The image map editor and the cell editor take the tag; the page stays.
    for (const bool accept : {false, true}) {
        onDialog<TImgSrcFrm>([accept](TImgSrcFrm &d) {
            EXPECT_FALSE(d.scriptButton()->isEnabled() || d.isMapBox()->isVisibleTo(&d));
            d.sourceField()->setEditText(QStringLiteral("a.png"));
            (accept ? d.okButton() : d.cancelButton())->click();
        });
        const DialogServices::ChosenImage chosen = ChooseImage(t.services, nullptr);
        EXPECT_EQ(chosen.imageTag, accept ? tag : QString());
        if (accept) {
            EXPECT_EQ(chosen.pictureFile, t.picture());
            EXPECT_EQ(chosen.widthText + u'x' + chosen.heightText, QStringLiteral("40x30"));
        }
    }
    EXPECT_EQ(t.host.text.text(), u'a' + tag + u'b');

    TableModel model;
    CellDialog withoutImages(t.services, model, {PropertiesTarget::Mode::Cell, {0, 0}, 0});
    EXPECT_FALSE(withoutImages.specialMenu()->actions().constFirst()->isEnabled());
    t.services.chooseImage = [&](QWidget *) { return DialogServices::ChosenImage{tag, t.picture(), {}, {}}; };
    CellDialog cell(t.services, model, {PropertiesTarget::Mode::Cell, {0, 0}, 0});
    cell.specialMenu()->actions().constFirst()->trigger();
    EXPECT_EQ(cell.contentEdit()->toPlainText(), tag);
}

TEST(ImageDialog, PagesReadable)
{
    ImageTesting t;
    for (const auto mode : {TImgSrcFrm::Mode::Image, TImgSrcFrm::Mode::FormImage}) {
        auto *d = new TImgSrcFrm(t.services, mode, QString());
        d->sourceField()->setEditText(QStringLiteral("a.png"));
        checkDialogPage(d, mode == TImgSrcFrm::Mode::Image ? "image" : "formimage", -1);
    }
}

} // namespace
