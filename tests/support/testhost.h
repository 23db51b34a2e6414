#pragma once

#include "core/shell/documenthost.h"
#include "ui/text/editortext.h"
#include "ui/text/editorwidget.h"
#include "core/settings/settings.h"
#include "core/undo/undohistory.h"
#include "support/fakeprompts.h"
#include "core/markup/editorstate.h"

#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

// A frame window in miniature for the commands' window tests: one document
// in a real editor with its text adapter and undo history, whatever the test
// puts above it, a status bar, scripted prompts, and a count of
// command-state refreshes.
class TestHost : public DocumentHost
{
public:
    TestHost()
        : editor(new EditorWidget)
        , text(editor)
        , undo(text)
    {
        auto *central = new QWidget(&frame);
        m_layout = new QVBoxLayout(central);
        m_layout->addWidget(editor);
        frame.setCentralWidget(central);
        frame.statusBar()->showMessage(QStringLiteral("prêt"));
        frame.resize(900, 600);
    }

    void addOnTop(QWidget *widget) { m_layout->insertWidget(0, widget); }
    void setDocument(const QString &initial, int selStart, int selLength)
    {
        text.setText(initial);
        text.select(selStart, selLength);
    }

    DocumentText *activeText() override { return documentOpen ? &text : nullptr; }
    UndoHistory *activeUndo() override { return documentOpen ? &undo : nullptr; }
    EditorState &editorState() override { return state; }
    Settings &settings() override { return settingsValues; }
    Prompts &prompts() override { return fakePrompts; }
    QWidget *window() override { return &frame; }
    void UpdateCommandStates() override { ++updates; }

    QMainWindow frame;
    EditorWidget *editor;
    EditorText text;
    UndoHistory undo;
    EditorState state;
    Settings settingsValues;
    FakePrompts fakePrompts;
    bool documentOpen = true;
    int updates = 0;

private:
    QVBoxLayout *m_layout;
};

// Opens menu as a pop-up and clicks the item of action with the mouse.
inline void clickMenuItem(QMenu *menu, QAction *action)
{
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(menu->actions().contains(action)) << qPrintable(action->text());
    menu->popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    const QRect item = menu->actionGeometry(action);
    ASSERT_TRUE(item.isValid());
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, item.center());
    menu->hide();
}

// The submenu of menu whose title is title; null when there is none.
inline QMenu *submenu(QMenu *menu, const QString &title)
{
    for (QAction *a : menu->actions()) {
        if (a->menu() && a->menu()->title() == title)
            return a->menu();
    }
    return nullptr;
}
