#include "ui/undo/typingrecorder.h"

#include "core/markup/editorstate.h"
#include "core/undo/typingedits.h"
#include "core/undo/undohistory.h"
#include "ui/text/editortext.h"
#include "ui/text/editorwidget.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

namespace {

constexpr Qt::KeyboardModifiers ShiftCtrl = Qt::ShiftModifier | Qt::ControlModifier;

// Whether the editor would take the key's text as typed text: the same test
// the widget makes, so that nothing it would insert goes unrecorded and
// nothing it would refuse is recorded. Tab is a key of its own here.
bool isTypedText(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    if (c.category() == QChar::Other_Format)
        return true;
    // Ctrl and Ctrl+Shift chords are commands; AltGr (Ctrl+Alt) types.
    if (event->modifiers() == Qt::ControlModifier || event->modifiers() == ShiftCtrl)
        return false;
    if (c.isPrint() || c.category() == QChar::Other_PrivateUse)
        return true;
    return c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
}

// A tab the widget would type: Tab and Backtab with any modifiers but
// Ctrl and Ctrl+Shift (those switch documents).
bool isTypedTab(const QKeyEvent *event)
{
    return event->text() == u"\t" && event->modifiers() != Qt::ControlModifier && event->modifiers() != ShiftCtrl;
}

bool isClipboardOrHistoryKey(const QKeyEvent *event)
{
    return event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)
           || event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Undo)
           || event->matches(QKeySequence::Redo);
}

} // namespace

TypingRecorder::TypingRecorder(EditorWidget *editor, EditorText &text, UndoHistory &history, EditorState &state,
                               QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_viewport(editor->viewport())
    , m_text(text)
    , m_history(history)
    , m_state(state)
{
    m_editor->installEventFilter(this);
    m_viewport->installEventFilter(this);
    connect(m_editor, &TextView::selectionChanged, this, &TypingRecorder::onSelectionChanged);
    connect(m_editor, &TextView::textChanged, this, &TypingRecorder::onTextChanged);
    connect(m_editor, &EditorWidget::closing, this, &TypingRecorder::release);
    syncOverwriteCaret();
}

TypingRecorder::~TypingRecorder()
{
    release();
}

void TypingRecorder::release()
{
    // The editor's own destructor is running: past this point its base
    // classes tear down its viewport and send events that no longer
    // concern the page.
    if (!m_editor)
        return;
    m_editor->removeEventFilter(this);
    m_viewport->removeEventFilter(this);
    disconnect(m_editor, nullptr, this, nullptr);
    m_editor = nullptr;
    m_viewport = nullptr;
}

void TypingRecorder::onSelectionChanged()
{
    // Asks the widget itself: the signal can come while the window that
    // holds the text contract is being torn down.
    if (m_editor->hasSelection())
        m_history.selectionSeen = true;
}

void TypingRecorder::onTextChanged()
{
    ++m_changes;
}

void TypingRecorder::syncOverwriteCaret()
{
    // The widget only draws the caret as a block; typing is done here.
    m_editor->setOverwriteMode(!m_state.InsertMode);
}

void TypingRecorder::emitCaretMovedLater()
{
    // After the widget has handled the event and moved the caret.
    QMetaObject::invokeMethod(this, &TypingRecorder::caretMoved, Qt::QueuedConnection);
}

int TypingRecorder::positionAt(const QPoint &viewportPoint) const
{
    return m_text.fromWidget(m_editor->positionAt(viewportPoint));
}

bool TypingRecorder::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_editor)
        return false;
    if (watched == m_editor) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            return shortcutOverride(static_cast<QKeyEvent *>(event));
        case QEvent::KeyPress:
            return keyPress(static_cast<QKeyEvent *>(event));
        case QEvent::KeyRelease:
            m_history.selectionSeen = false;
            emit caretMoved();
            return false;
        case QEvent::InputMethod:
            return inputMethod(static_cast<QInputMethodEvent *>(event));
        case QEvent::FocusIn:
            syncOverwriteCaret();
            return false;
        default:
            return false;
        }
    }
    // Only the editor and its viewport are watched; the viewport pointer is
    // kept because events still arrive while the editor is being destroyed.
    if (watched == m_viewport) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                m_history.savedCaret = m_text.selectionStart();
                const int at = positionAt(mouse->position().toPoint());
                m_pressOnSelection = m_text.selectionLength() > 0 && at >= m_history.savedCaret
                                     && at <= m_history.savedCaret + m_text.selectionLength();
            }
            emitCaretMovedLater();
            return false;
        }
        case QEvent::MouseButtonRelease: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            m_pressOnSelection = false;
            return mouse->button() == Qt::MiddleButton && middleClickPaste(mouse);
        }
        case QEvent::MouseMove:
            return mouseMoveMayDragOut(watched, static_cast<QMouseEvent *>(event));
        case QEvent::Drop:
            return drop(static_cast<QDropEvent *>(event));
        default:
            return false;
        }
    }
    return false;
}

bool TypingRecorder::shortcutOverride(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    // The editor's own keys win over the application's shortcuts.
    const bool editorKey =
        (key == Qt::Key_Insert && (mods == Qt::NoModifier || mods == Qt::ShiftModifier || mods == Qt::ControlModifier))
        || (key == Qt::Key_Delete && mods == Qt::ShiftModifier)
        || ((key == Qt::Key_J || key == Qt::Key_M) && mods == ShiftCtrl);
    if (editorKey) {
        event->accept();
        return true;
    }
    // The widget would claim the clipboard and undo keys for its own
    // unrecorded commands; left unclaimed, the application's commands get
    // them, and without such commands the key press comes back here.
    if (isClipboardOrHistoryKey(event)) {
        event->ignore();
        return true;
    }
    return false;
}

bool TypingRecorder::keyPress(QKeyEvent *event)
{
    m_history.selectionSeen = false;
    syncOverwriteCaret();
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;

    if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
        m_state.InsertMode = !m_state.InsertMode;
        syncOverwriteCaret();
        emit insertModeChanged(m_state.InsertMode);
        emit caretMoved();
        return true;
    }
    if (event->matches(QKeySequence::Copy) || (key == Qt::Key_Insert && mods == Qt::ControlModifier)) {
        if (copy)
            copy();
        else
            m_editor->copy();
        emit caretMoved();
        return true;
    }
    if (m_editor->isReadOnly())
        return false;

    TypingEdits edits(m_text, m_history);
    const bool enterChord = (key == Qt::Key_J || key == Qt::Key_M) && mods == ShiftCtrl;
    if (event->matches(QKeySequence::Paste) || (key == Qt::Key_Insert && mods == Qt::ShiftModifier)) {
        if (paste)
            paste();
    } else if (event->matches(QKeySequence::Cut) || (key == Qt::Key_Delete && mods == Qt::ShiftModifier)) {
        if (cut)
            cut();
    } else if (event->matches(QKeySequence::Undo)) {
        m_history.Undo();
    } else if (event->matches(QKeySequence::Redo)) {
        m_history.Redo();
    } else if (enterChord || ((key == Qt::Key_Return || key == Qt::Key_Enter) && !(mods & ~Qt::ShiftModifier))) {
        // Shift+Enter too: the widget would put a line separator inside the
        // line, which a page cannot hold.
        edits.newLine();
    } else if (key == Qt::Key_Backspace && !(mods & ~Qt::ShiftModifier)) {
        edits.backspace();
    } else if (key == Qt::Key_Delete && mods == Qt::NoModifier) {
        edits.deleteForward();
    } else if ((key == Qt::Key_Tab && mods == Qt::NoModifier) || isTypedTab(event)) {
        edits.tab();
    } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
        deleteWithCursorMove(TextView::PreviousWord);
    } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
        deleteWithCursorMove(TextView::NextWord);
    } else if (event->matches(QKeySequence::DeleteEndOfLine)) {
        deleteWithCursorMove(TextView::EndOfBlock);
    } else if (isTypedText(event)) {
        edits.typeText(event->text(), m_state.InsertMode);
    } else {
        // Not an edit: the widget moves the caret or ignores the key.
        emitCaretMovedLater();
        return false;
    }
    m_editor->ensureCaretVisible();
    emit caretMoved();
    return true;
}

void TypingRecorder::deleteWithCursorMove(int moveOperation)
{
    // The selection, or the stretch the widget's own key would remove.
    int from = m_editor->selectionStart();
    int to = m_editor->selectionEnd();
    if (from == to) {
        const int moved = m_editor->movedPosition(TextView::Move(moveOperation));
        from = std::min(from, moved);
        to = std::max(to, moved);
    }
    const int start = m_text.fromWidget(from);
    const int end = m_text.fromWidget(to);
    TypingEdits(m_text, m_history).deleteRange(start, end - start);
}

bool TypingRecorder::inputMethod(QInputMethodEvent *event)
{
    if (m_forwardingInput || m_editor->isReadOnly())
        return false;
    TypingEdits edits(m_text, m_history);
    const QString commit = event->commitString();
    if (commit.isEmpty() && event->replacementLength() == 0) {
        // A composition starting over a selection removes it: recorded.
        if (!event->preeditString().isEmpty() && m_text.selectionLength() > 0)
            edits.deleteRange(m_text.selectionStart(), m_text.selectionLength());
        return false;
    }
    if (event->replacementLength() > 0) {
        const int from = m_editor->position() + event->replacementStart();
        const int start = m_text.fromWidget(from);
        m_text.select(start, m_text.fromWidget(from + event->replacementLength()) - start);
    }
    if (commit.isEmpty())
        edits.deleteRange(m_text.selectionStart(), m_text.selectionLength());
    else
        edits.typeText(commit, m_state.InsertMode);
    // The composition that goes on, without the text already put in.
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    m_forwardingInput = true;
    QCoreApplication::sendEvent(m_editor, &rest);
    m_forwardingInput = false;
    event->accept();
    emit caretMoved();
    return true;
}

bool TypingRecorder::dropText(int position, const QString &text, bool moveSelection)
{
    TypingEdits edits(m_text, m_history);
    if (moveSelection)
        return edits.moveSelection(position);
    if (text.isEmpty())
        return false;
    edits.insertText(position, text);
    return true;
}

bool TypingRecorder::drop(QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    // Files are the frame window's business; the widget refuses them.
    if (m_editor->isReadOnly() || !mime || mime->hasUrls() || !mime->hasText())
        return false;
    const bool fromHere = event->source() == m_editor->viewport() || event->source() == m_editor;
    const bool move = fromHere && event->dropAction() == Qt::MoveAction;
    // Our own selection goes in as it is in the page, not as the drag's copy.
    const QString text = fromHere ? m_text.selectedText() : mime->text();
    dropText(positionAt(event->position().toPoint()), text, move);
    if (fromHere)
        m_droppedHere = true;
    event->acceptProposedAction();
    m_editor->setFocus();
    emit caretMoved();
    return true;
}

bool TypingRecorder::mouseMoveMayDragOut(QObject *watched, QMouseEvent *event)
{
    // Only a move after a press on the selection can start a drag.
    if (m_forwardingMouse || !m_pressOnSelection || !(event->buttons() & Qt::LeftButton)
        || m_text.selectionLength() == 0 || m_editor->isReadOnly())
        return false;
    const int start = m_text.selectionStart();
    const QString selected = m_text.selectedText();
    const int lengthBefore = m_text.length();
    const quint64 changesBefore = m_changes;
    m_droppedHere = false;

    // The widget may start a drag here; the drag is over when this returns.
    // Moved to another place, the text has been removed from the page.
    const QPointer<TypingRecorder> alive(this);
    m_forwardingMouse = true;
    QCoreApplication::sendEvent(watched, event);
    if (!alive)
        return true;
    m_forwardingMouse = false;
    if (m_changes != changesBefore) {
        m_pressOnSelection = false;
        if (!m_droppedHere && m_text.length() == lengthBefore - int(selected.size()))
            TypingEdits(m_text, m_history).recordRemoved(start, selected);
    }
    // Delivered above, parents included.
    event->accept();
    return true;
}

bool TypingRecorder::middleClickPaste(QMouseEvent *event)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (m_editor->isReadOnly() || !clipboard->supportsSelection())
        return false;
    const QMimeData *mime = clipboard->mimeData(QClipboard::Selection);
    if (mime && mime->hasText() && !mime->hasUrls()) {
        TypingEdits(m_text, m_history).insertText(positionAt(event->position().toPoint()), mime->text());
        emit caretMoved();
    }
    return true;
}
