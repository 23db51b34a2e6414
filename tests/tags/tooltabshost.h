#pragma once

#include "app/documenthost.h"
#include "app/editortext.h"
#include "app/editorwidget.h"
#include "app/settings.h"
#include "app/undohistory.h"
#include "support/fakeprompts.h"
#include "tags/editorstate.h"

#include <QMenu>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

// A frame window in miniature for the tag commands' window tests: one
// editor with its text adapter and undo history, below whatever the test
// puts on top.
class WidgetHost : public DocumentHost
{
public:
    WidgetHost()
        : m_layout(new QVBoxLayout(&frame))
        , editor(new EditorWidget)
        , text(editor)
        , undo(text)
    {
        m_layout->addWidget(editor);
        frame.resize(900, 400);
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
    Settings &settings() override { return m_settings; }
    Prompts &prompts() override { return m_prompts; }
    QWidget *window() override { return &frame; }
    void UpdateCommandStates() override { ++refreshes; }

    QWidget frame;

private:
    QVBoxLayout *m_layout;

public:
    EditorWidget *editor;
    EditorText text;
    UndoHistory undo;
    EditorState state;
    bool documentOpen = true;
    int refreshes = 0;

private:
    Settings m_settings;
    FakePrompts m_prompts;
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
