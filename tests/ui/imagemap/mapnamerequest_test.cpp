#include "../dialogs/dialogtesting.h"
#include "core/messages/messages.h"
#include "ui/imagemap/mapdialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// OK without a map name asks for one: the name field must then be on show
// and hold the focus, also when the sketch had been enlarged over it.
TEST(MapNameRequest, OkWithoutNameShowsTheNameField)
{
    for (const bool enlarged : {false, true}) {
        SCOPED_TRACE(enlarged);
        DialogTesting t;
        TMapFrm editor(t.services, QString());
        editor.show();
        QApplication::setActiveWindow(&editor);
        if (enlarged)
            editor.maximiseButton()->click();
        editor.okButton()->click();
        EXPECT_EQ(t.host.fakePrompts.shown, QStringList{QStringLiteral("information:") + msg(42)});
        EXPECT_TRUE(editor.isVisible());
        EXPECT_TRUE(editor.nameField()->isVisible());
        EXPECT_FALSE(editor.maximiseButton()->isChecked());
        EXPECT_TRUE(editor.nameField()->hasFocus());
    }
}

} // namespace

namespace {

// Switching between rectangle and circle hides the height field; the zone
// list beside the fields must not jump sideways when it does.
TEST(MapLayout, ZoneListStaysPutWhenTheKindChanges)
{
    DialogTesting t;
    TMapFrm editor(t.services, QString());
    editor.show();
    const QRect listAt = editor.areaList()->geometry();
    for (QRadioButton *kind : {editor.circleButton(), editor.rectangleButton(), editor.circleButton()}) {
        kind->click();
        QApplication::processEvents();
        EXPECT_EQ(editor.areaList()->geometry(), listAt) << qPrintable(kind->text());
    }
}

} // namespace
