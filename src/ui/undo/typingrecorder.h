#pragma once

#include <QObject>

#include <functional>

class EditorText;
class EditorWidget;
class QDropEvent;
class QInputMethodEvent;
class QKeyEvent;
class QMouseEvent;
class UndoHistory;
struct EditorState;

// Records what the user does to a page with the keyboard and the mouse in
// the page's own undo history. It watches one editor through event filters:
// every key, input-method text, drop and mouse paste that changes the text
// is recorded first and then performed through the text contract, so that
// the widget never changes the text behind the history's back. Runs of
// typing, Backspace, Delete and Enter merge into one step.
//
// Also the editor's special keys: Insert toggles insert/overwrite mode;
// Ctrl+Shift+J and Ctrl+Shift+M act as Enter; the paste, cut and copy keys
// (Shift+Insert, Shift+Delete, Ctrl+Insert and the platform's own) call the
// callbacks below; the undo and redo keys act on the history.
class TypingRecorder : public QObject
{
    Q_OBJECT
public:
    TypingRecorder(EditorWidget *editor, EditorText &text, UndoHistory &history, EditorState &state,
                   QObject *parent = nullptr);
    ~TypingRecorder() override;

    // The program's own clipboard commands, set by the document window.
    // Without paste or cut the keys do nothing; without copy the editor
    // copies by itself.
    std::function<void()> paste;
    std::function<void()> cut;
    std::function<void()> copy;

    // Drops text at a caret position as one undo step: with moveSelection
    // this editor's own selection moves there (nothing happens when the
    // position lies inside it); otherwise text goes in there. Returns whether
    // the page changed.
    bool dropText(int position, const QString &text, bool moveSelection);

signals:
    void insertModeChanged(bool insertMode);
    // After key presses, key releases and mouse presses in the text.
    void caretMoved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(QKeyEvent *event);
    bool shortcutOverride(QKeyEvent *event);
    bool inputMethod(QInputMethodEvent *event);
    bool drop(QDropEvent *event);
    bool mouseMoveMayDragOut(QObject *watched, QMouseEvent *event);
    bool middleClickPaste(QMouseEvent *event);
    void deleteWithCursorMove(int moveOperation);
    void onSelectionChanged();
    // Lets go of the editor that is being destroyed.
    void release();
    void onTextChanged();
    void emitCaretMovedLater();
    void syncOverwriteCaret();
    int positionAt(const QPoint &viewportPoint) const;

    // Null once the editor is being destroyed.
    EditorWidget *m_editor;
    // Kept apart: events reach the viewport while the editor is being destroyed.
    QWidget *m_viewport;
    EditorText &m_text;
    UndoHistory &m_history;
    EditorState &m_state;
    // Set while an event is handed on to the widget from inside the filter.
    bool m_forwardingMouse = false;
    bool m_forwardingInput = false;
    // The last left press fell on the selection: a drag may start.
    bool m_pressOnSelection = false;
    // Counts the widget's text changes, to see whether a handed-on event
    // changed the text.
    quint64 m_changes = 0;
    // Set when this editor took a drop, during a drag that it started.
    bool m_droppedHere = false;
};
