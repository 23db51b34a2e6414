#include "../dialogs/dialogtesting.h"
#include "core/dialogs/eventcalls.h"
#include "core/messages/messages.h"
#include "core/table/tablemodel.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/dialogs/linkdialogs.h"
#include "ui/imagemap/mapcommands.h"
#include "ui/imagemap/mapdialog.h"
#include "ui/imagemap/mapsketch.h"
#include "ui/table/celldialog.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QString Map = QStringLiteral("<MAP NAME=\"plan\">\r\n"
                                   "  <AREA SHAPE=\"RECT\" COORDS=\"0,0,60,60\" HREF=\"page.htm\">\r\n"
                                   "  <AREA SHAPE=\"CIRCLE\" COORDS=\"96,96,30\" NOHREF  onMouseOver=\"a('x y')\">\r\n"
                                   "  <AREA SHAPE=\"POLY\" COORDS=\"1,1,9,9,1,9\" NOHREF>\r\n"
                                   "  <AREA shape=\"rect\" coords=\"5,5,9,9\" NOHREF>\r\n"
                                   "</MAP>\r\n"
                                   "<IMG SRC=\"plan.png\" WIDTH=200 USEMAP=\"#plan\">");

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(MapEditor, ReopenedMapIsWrittenBackUnchanged)
{
    for (const bool pictureThere : {true, false}) {
        DialogTesting t;
        if (pictureThere)
            t.writeFile(QStringLiteral("plan.png"), png(200, 150));
        const QString page = QStringLiteral("<P>avant</P>\r\n") + Map + QStringLiteral("\r\n<P>après</P>");
        t.host.setDocument(page, 3, int(page.size()) - 6);
        RunImageMapCommand(t.services, [&](TMapFrm &editor) {
            EXPECT_EQ(editor.nameField()->text(), QStringLiteral("plan"));
            EXPECT_EQ(editor.areaList()->count(), 4);
            EXPECT_EQ(editor.model().zoneCount(), 2);
            EXPECT_EQ(editor.sketch()->pictureSize(), pictureThere ? QSize(200, 150) : QSize(0, 0));
            EXPECT_EQ(editor.pictureStatus()->isHidden(), pictureThere);
            if (!pictureThere) {
                EXPECT_EQ(editor.pictureStatus()->text(), QStringLiteral("[plan.png]") + msg(438));
            }
            editor.okButton()->click();
            return editor.result();
        });
        EXPECT_EQ(t.host.text.text(), page) << pictureThere;
        ASSERT_TRUE(t.host.undo.CanUndo());
        EXPECT_TRUE(t.host.fakePrompts.shown.isEmpty());
    }
}

TEST(MapEditor, MouseKeysAndFieldsPlaceTheCurrentZone)
{
    DialogTesting t;
    const QString picture = t.writeFile(QStringLiteral("photo.png"), png(100, 80));
    t.services.chooseImage = [&](QWidget *) {
        return DialogServices::ChosenImage{QStringLiteral("<IMG SRC=\"photo.png\">"), picture, QStringLiteral("300"),
                                           QStringLiteral("x")};
    };
    TMapFrm editor(t.services, QString());
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    editor.pictureButton()->click();
    MapSketch *sketch = editor.sketch();
    // The width field of the image dialog stretches the picture; a height that
    // is no number keeps the picture's own.
    ASSERT_EQ(sketch->pictureSize(), QSize(300, 80));

    editor.xField()->setValue(50);
    editor.yField()->setValue(10);
    ASSERT_EQ(sketch->current(), (MapZone{MapZone::Kind::Rectangle, 50, 10, 60, 60}));
    const struct
    {
        QPoint press;
        QPoint to;
        QPoint fields; // X, Y after the release
        QSize sizes;   // width, height fields after the release
    } drags[] = {
        // The left edge stops at the picture's side.
        {{51, 40}, {-30, 40}, {0, 10}, {110, 60}},
        // Moving is free while the button is down, then pulled back inside.
        {{50, 40}, {400, 100}, {190, 20}, {110, 60}},
        {{299, 79}, {200, 50}, {190, 20}, {10, 30}},
    };
    for (const auto &d : drags) {
        QTest::mousePress(sketch, Qt::LeftButton, {}, d.press);
        QTest::mouseMove(sketch, d.to);
        QTest::mouseRelease(sketch, Qt::LeftButton, {}, d.to);
        EXPECT_EQ(QPoint(editor.xField()->value(), editor.yField()->value()), d.fields) << d.to.x();
        EXPECT_EQ(QSize(editor.sizeField()->value(), editor.heightField()->value()), d.sizes) << d.to.x();
    }
    // Arrows move one pixel, ten with Shift, never out of the picture.
    sketch->setFocus();
    QTest::keyClick(sketch, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(sketch, Qt::Key_Up);
    EXPECT_EQ(sketch->current(), (MapZone{MapZone::Kind::Rectangle, 180, 19, 10, 30}));
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(sketch, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(editor.xField()->value(), 290);

    // A circle: the width field is the radius, the height field goes.
    editor.circleButton()->click();
    EXPECT_TRUE(editor.heightField()->isHidden());
    EXPECT_EQ(sketch->current().width, 20);
    EXPECT_EQ(sketch->current().height, 20);
}

TEST(MapEditor, ZonesAreAddedDeletedAndGiveTheirEvents)
{
    DialogTesting t;
    TMapFrm editor(t.services, QString());
    std::function<int(QDialog &)> answer;
    editor.execDialog = [&](QDialog &d) { return answer(d); };
    answer = [](QDialog &) { return int(QDialog::Rejected); };

    // No picture, no zone; no name, no map.
    editor.addZone(AreaLink::None);
    editor.okButton()->click();
    EXPECT_EQ(t.host.fakePrompts.shown,
              (QStringList{QStringLiteral("information:") + msg(45), QStringLiteral("information:") + msg(42)}));
    EXPECT_NE(editor.result(), QDialog::Accepted);
    t.host.fakePrompts.shown.clear();

    editor.model().imageTag = QStringLiteral("<IMG SRC=\"p.gif\">");
    // The external link dialog gives the target and the address.
    answer = [](QDialog &d) {
        auto &link = dynamic_cast<ExternalLinkDialog &>(d);
        link.chooseProtocol(1);
        link.addressField()->setEditText(QStringLiteral("http://exemple.fr/"));
        link.targetField()->setText(QStringLiteral("cadre 1"));
        link.okButton()->click();
        return link.result();
    };
    editor.addZone(AreaLink::External);
    ASSERT_EQ(editor.areaList()->count(), 1);
    EXPECT_EQ(
        editor.areaList()->item(0)->text(),
        QStringLiteral("<AREA SHAPE=\"RECT\" COORDS=\"0,0,60,60\" TARGET=\"cadre1\" HREF=\"http://exemple.fr/\">"));
    EXPECT_EQ(editor.xField()->value(), 6);
    for (int i = 0; i < 40; ++i)
        editor.addZone(AreaLink::None);
    // The 42nd: the link dialog is answered first, then the limit is told.
    int dialogs = 0;
    answer = [&](QDialog &d) {
        EXPECT_NE(dynamic_cast<ExternalLinkDialog *>(&d), nullptr);
        ++dialogs;
        return int(QDialog::Rejected);
    };
    editor.addZone(AreaLink::External);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(t.host.fakePrompts.shown, QStringList{QStringLiteral("information:") + msg(43)});
    EXPECT_EQ(editor.areaList()->count(), 41);

    // The Delete key removes the chosen line and its zone.
    editor.show();
    QApplication::setActiveWindow(&editor);
    editor.areaList()->setCurrentRow(0);
    editor.areaList()->setFocus();
    QTest::keyClick(editor.areaList(), Qt::Key_Delete);
    EXPECT_EQ(editor.areaList()->count(), 40);
    EXPECT_EQ(editor.model().zoneCount(), 40);
    // Tab in the sketch goes from zone to zone, then on to the next control.
    editor.sketch()->setFocus();
    QTest::keyClick(editor.sketch(), Qt::Key_Tab);
    EXPECT_EQ(editor.areaList()->currentRow(), 1);
    editor.areaList()->setCurrentRow(39);
    editor.sketch()->setFocus();
    QTest::keyClick(editor.sketch(), Qt::Key_Tab);
    EXPECT_EQ(editor.areaList()->currentRow(), 39);
    EXPECT_FALSE(editor.sketch()->hasFocus());

    // Events: prefilled from the line, replaced on OK.
    editor.model().setLine(0, QStringLiteral("<AREA SHAPE=\"RECT\" COORDS=\"6,6,66,66\" NOHREF  "
                                             "onMouseOver=\"montre('un lien')\">"));
    answer = [](QDialog &d) {
        auto &events = dynamic_cast<EventsDialog &>(d);
        EXPECT_EQ(events.call(JsEvent::onMouseOver), QStringLiteral("montre('un lien')"));
        EXPECT_FALSE(events.eventButton(JsEvent::onClick)->isEnabled());
        events.setCall(JsEvent::onMouseOver, QString());
        events.setCall(JsEvent::onMouseOut, QStringLiteral("off()"));
        return int(QDialog::Accepted);
    };
    editor.areaList()->setCurrentRow(0);
    editor.editZoneEvents();
    EXPECT_EQ(editor.areaList()->item(0)->text(),
              QStringLiteral("<AREA SHAPE=\"RECT\" COORDS=\"6,6,66,66\" NOHREF  onMouseOut=\"off()\">"));

    // A name with nothing to keep is no name.
    t.host.fakePrompts.shown.clear();
    editor.nameField()->setText(QStringLiteral("?!"));
    editor.okButton()->click();
    EXPECT_EQ(t.host.fakePrompts.shown, QStringList{QStringLiteral("information:") + msg(42)});
    editor.nameField()->setText(QStringLiteral("Ma carte!"));
    editor.okButton()->click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(editor.nameField()->text(), QStringLiteral("Macarte"));
    EXPECT_TRUE(editor.mapText().endsWith(QStringLiteral("</MAP>\r\n<IMG SRC=\"p.gif\" USEMAP=\"#Macarte\">")));
}

TEST(MapEditor, CellEditorPutsTheMapInTheCell)
{
    DialogTesting t;
    TableModel model;
    CellDialog cell(t.services, model, {PropertiesTarget::Mode::Cell, {0, 0}, 0});
    cell.execElement = [](QDialog &d) {
        auto &editor = dynamic_cast<TMapFrm &>(d);
        editor.nameField()->setText(QStringLiteral("m"));
        editor.okButton()->click();
        return editor.result();
    };
    QAction *entry = nullptr;
    for (QAction *action : cell.specialMenu()->actions()) {
        if (action->text() == QStringLiteral("Image en coordonnées..."))
            entry = action;
    }
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_EQ(cell.contentEdit()->toPlainText(), QStringLiteral("<MAP NAME=\"m\">\n</MAP>\n"));
}

TEST(MapEditor, DialogReadsWell)
{
    DialogTesting t;
    checkDialogPage(new TMapFrm(t.services, QString()), "imagemap", -1);
}

} // namespace

namespace {

TEST(MapEditor, TabFollowsTheLayout)
{
    DialogTesting t;
    TMapFrm editor(t.services, QString());
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    const QList<QWidget *> wanted{editor.nameField(), editor.xField(),       editor.yField(),
                                  editor.sizeField(), editor.heightField(),  editor.rectangleButton(),
                                  editor.areaList(),  editor.sketch(),       editor.pictureButton(),
                                  editor.addButton(), editor.clearButton(),  editor.maximiseButton(),
                                  editor.okButton(),  editor.cancelButton(), editor.helpButton()};
    QList<QWidget *> chain;
    QWidget *w = editor.nameField();
    do {
        if (wanted.contains(w))
            chain << w;
        w = w->nextInFocusChain();
    } while (w != editor.nameField() && chain.size() < wanted.size());
    EXPECT_EQ(chain, wanted);
}

} // namespace
