#pragma once

#include "support/testhost.h"
#include "ui/find/findcommands.h"
#include "ui/find/finddialog.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

// The find commands over a test frame, with the dialog driven the way a
// user drives it.
class FindFixture : public ::testing::Test
{
protected:
    FindFixture() { host.frame.show(); }

    TRechercheFrm *open(bool replace)
    {
        replace ? commands.replaceAction()->trigger() : commands.findAction()->trigger();
        return commands.dialog();
    }
    template<typename T> T *child(const char *name)
    {
        T *widget = commands.dialog()->findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void click(const char *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    // Replaces a combo's text by typing, even where history entries start
    // with what is typed.
    void type(const char *combo, const QString &text)
    {
        QLineEdit *edit = child<QComboBox>(combo)->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void enter(const char *combo) { QTest::keyClick(child<QComboBox>(combo)->lineEdit(), Qt::Key_Return); }

    TestHost host;
    FindCommands commands{host};
};
