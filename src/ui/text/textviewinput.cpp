// The TextView's input: keys, input methods, the mouse, the clipboard, drag
// and drop, the context menu; and printing.

#include "ui/text/textview.h"

#include "ui/text/textviewlayout.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPagedPaintDevice>
#include <QPointer>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTimerEvent>

#include <algorithm>
#include <array>

namespace {

struct KeyMove
{
    QKeySequence::StandardKey key;
    TextView::Move move;
    bool select;
};

constexpr std::array KeyMoves{
    KeyMove{QKeySequence::MoveToNextChar, TextView::Right, false},
    KeyMove{QKeySequence::MoveToPreviousChar, TextView::Left, false},
    KeyMove{QKeySequence::MoveToNextWord, TextView::NextWord, false},
    KeyMove{QKeySequence::MoveToPreviousWord, TextView::PreviousWord, false},
    KeyMove{QKeySequence::MoveToNextLine, TextView::Down, false},
    KeyMove{QKeySequence::MoveToPreviousLine, TextView::Up, false},
    KeyMove{QKeySequence::MoveToNextPage, TextView::PageDown, false},
    KeyMove{QKeySequence::MoveToPreviousPage, TextView::PageUp, false},
    KeyMove{QKeySequence::MoveToStartOfLine, TextView::StartOfLine, false},
    KeyMove{QKeySequence::MoveToEndOfLine, TextView::EndOfLine, false},
    KeyMove{QKeySequence::MoveToStartOfBlock, TextView::StartOfBlock, false},
    KeyMove{QKeySequence::MoveToEndOfBlock, TextView::EndOfBlock, false},
    KeyMove{QKeySequence::MoveToStartOfDocument, TextView::Start, false},
    KeyMove{QKeySequence::MoveToEndOfDocument, TextView::End, false},
    KeyMove{QKeySequence::SelectNextChar, TextView::Right, true},
    KeyMove{QKeySequence::SelectPreviousChar, TextView::Left, true},
    KeyMove{QKeySequence::SelectNextWord, TextView::NextWord, true},
    KeyMove{QKeySequence::SelectPreviousWord, TextView::PreviousWord, true},
    KeyMove{QKeySequence::SelectNextLine, TextView::Down, true},
    KeyMove{QKeySequence::SelectPreviousLine, TextView::Up, true},
    KeyMove{QKeySequence::SelectNextPage, TextView::PageDown, true},
    KeyMove{QKeySequence::SelectPreviousPage, TextView::PageUp, true},
    KeyMove{QKeySequence::SelectStartOfLine, TextView::StartOfLine, true},
    KeyMove{QKeySequence::SelectEndOfLine, TextView::EndOfLine, true},
    KeyMove{QKeySequence::SelectStartOfBlock, TextView::StartOfBlock, true},
    KeyMove{QKeySequence::SelectEndOfBlock, TextView::EndOfBlock, true},
    KeyMove{QKeySequence::SelectStartOfDocument, TextView::Start, true},
    KeyMove{QKeySequence::SelectEndOfDocument, TextView::End, true},
};

// Editing keys: the clipboard and deletions. The X11 and Windows spellings
// of the clipboard keys are taken on every platform.
enum class Edit {
    None,
    Copy,
    Cut,
    Paste,
    Delete,
    Backspace,
    DeleteStartOfWord,
    DeleteEndOfWord,
    DeleteEndOfLine,
    NewLine
};

Edit editOf(QKeyEvent *event)
{
    const auto plain = [event](Qt::KeyboardModifiers modifiers, int key) {
        return (event->modifiers() & ~Qt::KeypadModifier) == modifiers && event->key() == key;
    };
    if (event->matches(QKeySequence::Copy) || plain(Qt::ControlModifier, Qt::Key_Insert))
        return Edit::Copy;
    if (event->matches(QKeySequence::Cut) || plain(Qt::ShiftModifier, Qt::Key_Delete))
        return Edit::Cut;
    if (event->matches(QKeySequence::Paste) || plain(Qt::ShiftModifier, Qt::Key_Insert))
        return Edit::Paste;
    if (event->matches(QKeySequence::DeleteStartOfWord))
        return Edit::DeleteStartOfWord;
    if (event->matches(QKeySequence::DeleteEndOfWord))
        return Edit::DeleteEndOfWord;
    if (event->matches(QKeySequence::DeleteEndOfLine))
        return Edit::DeleteEndOfLine;
    if (event->matches(QKeySequence::Delete) || plain(Qt::NoModifier, Qt::Key_Delete))
        return Edit::Delete;
    if (event->matches(QKeySequence::Backspace) || plain(Qt::NoModifier, Qt::Key_Backspace)
        || plain(Qt::ShiftModifier, Qt::Key_Backspace))
        return Edit::Backspace;
    if (event->matches(QKeySequence::InsertParagraphSeparator) || event->matches(QKeySequence::InsertLineSeparator))
        return Edit::NewLine;
    return Edit::None;
}

// The characters that end a word for the word moves of the text layout
// (Ctrl+arrows), so that a double click selects the same words.
bool isWordSeparator(QChar c)
{
    return QStringView(u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\").contains(c);
}

// A word is a run of characters that are neither white space nor separators,
// or a run of separators.
bool isWordCharacter(QChar c)
{
    return !c.isSpace() && !isWordSeparator(c);
}

// Where a move a word back from column stops: over white space, then over
// the word or run of separators before it.
int previousWordStop(const QString &text, int column)
{
    while (column > 0 && text[column - 1].isSpace())
        --column;
    const bool separators = column > 0 && isWordSeparator(text[column - 1]);
    while (column > 0 && (separators ? isWordSeparator(text[column - 1]) : isWordCharacter(text[column - 1])))
        --column;
    return column;
}

// The end of the word or run of separators that starts at column.
int wordEnd(const QString &text, int column)
{
    const bool separators = column < text.size() && isWordSeparator(text[column]);
    while (column < text.size() && (separators ? isWordSeparator(text[column]) : isWordCharacter(text[column])))
        ++column;
    return column;
}

const KeyMove *moveOf(QKeyEvent *event)
{
    for (const KeyMove &move : KeyMoves)
        if (event->matches(move.key))
            return &move;
    return nullptr;
}

} // namespace

bool TextView::isTyping(const QKeyEvent *event) const
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    // Control without Alt is a command; Control with Alt is AltGr on some
    // keyboards.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier))
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isPrint() || c.isSurrogate() || c.category() == QChar::Other_Format || c == u'\t';
    });
}

bool TextView::handlesKey(QKeyEvent *event) const
{
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))
        return false;
    if (moveOf(event) || event->matches(QKeySequence::SelectAll))
        return true;
    const Edit edit = editOf(event);
    if (edit == Edit::Copy)
        return true;
    if (m_readOnly)
        return false;
    // Typed text, but not Alt or Control with a key: those are the
    // window's menus and shortcuts.
    const bool plainTyping =
        isTyping(event) && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    return edit != Edit::None || plainTyping
           || (event->key() == Qt::Key_Tab && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)));
}

bool TextView::event(QEvent *event)
{
    // Tab is text here, not a move to the next control.
    if (event->type() == QEvent::KeyPress && !m_readOnly) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    // Keys the view handles are its own even where the window has a shortcut
    // on them (the window's Copy and Paste commands come back here anyway).
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (handlesKey(key)) {
            key->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TextView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        event->ignore();
        return;
    }
    if (const KeyMove *move = moveOf(event)) {
        if (move->move == PageDown || move->move == PageUp)
            scrollByRows(move->move == PageDown ? visibleRows() : -visibleRows());
        const Move onScreen = moveOnScreen(move->move, move->select);
        // Up or Down that cannot go further leaves the selection as it is.
        const bool vertical = onScreen == Up || onScreen == Down || onScreen == PageUp || onScreen == PageDown;
        if (!vertical || movedPosition(onScreen) != m_position)
            moveCaret(onScreen, move->select);
        userMoved(move->select);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        // The view stays where it is.
        selectAll();
        publishSelection();
        return;
    }
    const Edit edit = editOf(event);
    if (edit == Edit::Copy) {
        copy();
        return;
    }
    if (m_readOnly || (edit == Edit::None && event->key() == Qt::Key_Insert)) {
        event->ignore();
        return;
    }
    // No reset of the column that Up and Down aim for here: a key that only
    // presses Shift must not end a run of Shift+Down. Edits end it by
    // changing the text.
    switch (edit) {
    case Edit::Cut:
        cut();
        break;
    case Edit::Paste:
        paste();
        break;
    case Edit::Delete:
        removeSelectionOrTo(NextCharacter);
        break;
    case Edit::Backspace:
        if (hasSelection()) {
            removeSelection();
        } else if (m_position > 0) {
            // One code point at a time, so that a character composed of
            // several can be corrected part by part; a surrogate pair and
            // a line break go as one.
            const int line = caretLine();
            const int column = columnOf(m_position, line);
            const QString &text = m_store.line(line);
            const bool pair = column > 1 && text[column - 1].isLowSurrogate() && text[column - 2].isHighSurrogate();
            deleteTo(m_position - (pair ? 2 : 1));
        }
        break;
    case Edit::DeleteStartOfWord:
        removeSelectionOrTo(PreviousWord);
        break;
    case Edit::DeleteEndOfWord:
        removeSelectionOrTo(NextWord);
        break;
    case Edit::DeleteEndOfLine:
        if (hasSelection()) {
            removeSelection();
        } else {
            // At the end of a line the line break goes.
            const int line = caretLine();
            const int end = m_store.lineStart(line) + m_store.lineLength(line);
            deleteTo(m_position == end ? moveTarget(NextCharacter) : end);
        }
        break;
    case Edit::NewLine:
        insertText(u"\n");
        break;
    case Edit::Copy:
    case Edit::None:
        if (event->key() == Qt::Key_Tab && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            insertText(u"\t");
        } else if (isTyping(event)) {
            if (m_overwrite && !hasSelection()) {
                // The typed character takes the place of the next one, not
                // of the line break.
                const int line = caretLine();
                if (columnOf(m_position, line) < m_store.lineLength(line))
                    applySelection(moveTarget(NextCharacter), m_position);
            }
            insertText(event->text());
        } else {
            event->ignore();
            return;
        }
        break;
    }
    event->accept();
    userMoved(false);
}

TextView::Move TextView::moveOnScreen(Move move, bool select) const
{
    // Ctrl+Right goes to the right on screen: in a right-to-left line, to
    // the previous word.
    if ((move == NextWord || move == PreviousWord) && m_store.line(caretLine()).isRightToLeft())
        return move == NextWord ? PreviousWord : NextWord;
    // Shift+Up on the first row selects up to the start of the text, and
    // Shift+Down on the last row up to its end.
    if (select && (move == Up || move == Down) && movedPosition(move) == m_position)
        return move == Up ? Start : End;
    return move;
}

// ---- Input methods ----

bool TextView::splitsPair(int position) const
{
    const int line = m_store.lineOf(position);
    const QString &text = m_store.line(line);
    const int column = position - m_store.lineStart(line);
    return column > 0 && column < text.size() && text[column].isLowSurrogate() && text[column - 1].isHighSurrogate();
}

void TextView::inputMethodEvent(QInputMethodEvent *event)
{
    if (m_readOnly) {
        event->ignore();
        return;
    }
    const QString commit = event->commitString();
    if (hasSelection() && (!commit.isEmpty() || event->replacementLength() > 0 || !event->preeditString().isEmpty()))
        removeSelection();
    // Drop the old preedit text first: the positions below are store ones.
    m_layout->setPreedit(-1, 0, QString(), {});
    if (!commit.isEmpty() || event->replacementLength() > 0) {
        int from = std::clamp(m_position + event->replacementStart(), 0, m_store.length());
        int to = std::clamp(from + std::max(0, event->replacementLength()), from, m_store.length());
        // The replaced range takes whole surrogate pairs.
        if (splitsPair(from))
            --from;
        if (splitsPair(to))
            ++to;
        applySelection(to, from);
        insertText(commit);
    }
    int line = caretLine();
    QList<QTextLayout::FormatRange> formats;
    m_preeditCursor = int(event->preeditString().size());
    for (const QInputMethodEvent::Attribute &attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = attribute.value.value<QTextFormat>().toCharFormat();
            if (format.isValid())
                formats.append({attribute.start, attribute.length, format});
        } else if (attribute.type == QInputMethodEvent::Cursor) {
            m_preeditCursor = attribute.start;
        } else if (attribute.type == QInputMethodEvent::Selection) {
            const int start = m_store.lineStart(line) + attribute.start;
            applySelection(start, start + attribute.length);
            line = caretLine();
        }
    }
    const QString preedit = event->preeditString();
    if (preedit.isEmpty())
        m_preeditCursor = 0;
    m_preeditCursor = std::clamp(m_preeditCursor, 0, int(preedit.size()));
    m_layout->setPreedit(line, columnOf(m_position, line), preedit, formats);
    ensureCaretVisible();
    restartBlink();
    event->accept();
}

QVariant TextView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const int line = caretLine();
    const int start = m_store.lineStart(line);
    const QString &text = m_store.line(line);
    const int column = m_position - start;
    switch (query) {
    case Qt::ImEnabled:
        return !m_readOnly;
    case Qt::ImCursorRectangle:
        return caretRect().translated(viewport()->pos());
    case Qt::ImAnchorRectangle:
        return positionRect(m_anchor).translated(viewport()->pos());
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return column;
    case Qt::ImAnchorPosition:
        return std::clamp(m_anchor - start, 0, int(text.size()));
    case Qt::ImAbsolutePosition:
        return m_position;
    case Qt::ImSurroundingText:
        return text;
    case Qt::ImCurrentSelection:
        return selectedText();
    case Qt::ImTextBeforeCursor:
        return text.first(column);
    case Qt::ImTextAfterCursor:
        return text.sliced(column);
    case Qt::ImHints:
        return int(inputMethodHints());
    case Qt::ImReadOnly:
        return m_readOnly;
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- Mouse ----

void TextView::removeSelectionOrTo(Move move)
{
    if (hasSelection())
        removeSelection();
    else
        deleteTo(moveTarget(move));
}

std::pair<int, int> TextView::wordAt(int position)
{
    const int line = m_store.lineOf(position);
    const int start = m_store.lineStart(line);
    const QString &text = m_store.line(line);
    const int column = position - start;
    const int length = int(text.size());
    // The word under the position, from its start to its end, as the word
    // moves see it: a double click on "été" in "l'été" selects "été", where
    // Ctrl+Right stops. At the end of a line, the word before.
    int from = column;
    const bool afterWord = column > 0 && !text[column - 1].isSpace() && !isWordSeparator(text[column - 1]);
    if (column < length || afterWord)
        from = previousWordStop(text, column < length ? column + 1 : column);
    return {start + from, start + wordEnd(text, from)};
}

std::pair<int, int> TextView::lineAt(int position) const
{
    const int line = m_store.lineOf(position);
    const int start = m_store.lineStart(line);
    const int end = start + m_store.lineLength(line);
    return {start, line + 1 < m_store.lineCount() ? end + 1 : end};
}

void TextView::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::MiddleButton) {
        QClipboard *clipboard = QGuiApplication::clipboard();
        const QMimeData *data = clipboard->supportsSelection() ? clipboard->mimeData(QClipboard::Selection) : nullptr;
        if (!m_readOnly && data && canInsertFromMimeData(data)) {
            setPosition(positionAt(point));
            insertFromMimeData(data);
            userMoved(false);
        }
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_desiredX = -1;
    const int position = positionAt(point);
    m_selecting = true;
    if (m_tripleClickTimer.isActive()
        && (point - m_tripleClickPoint).manhattanLength() < QApplication::startDragDistance()) {
        m_tripleClickTimer.stop();
        m_unit = Unit::Line;
        std::tie(m_unitStart, m_unitEnd) = lineAt(position);
        applySelection(m_unitStart, m_unitEnd);
    } else if (event->modifiers() & Qt::ShiftModifier) {
        m_unit = Unit::Character;
        applySelection(m_anchor, position);
    } else if (hasSelection() && position >= selectionStart() && position < selectionEnd()) {
        // Perhaps the start of a drag of the selection: decided on move.
        m_maybeDrag = true;
        m_selecting = false;
        m_pressPoint = point;
    } else {
        m_unit = Unit::Character;
        applySelection(position, position);
    }
    restartBlink();
    event->accept();
}

void TextView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    m_maybeDrag = false;
    m_selecting = true;
    m_unit = Unit::Word;
    std::tie(m_unitStart, m_unitEnd) = wordAt(positionAt(point));
    applySelection(m_unitStart, m_unitEnd);
    m_tripleClickPoint = point;
    m_tripleClickTimer.start(QApplication::doubleClickInterval(), this);
    event->accept();
}

void TextView::extendSelectionTo(const QPoint &viewportPoint)
{
    const int position = positionAt(viewportPoint);
    if (m_unit == Unit::Character) {
        applySelection(m_anchor, position);
        return;
    }
    const auto [from, to] = m_unit == Unit::Word ? wordAt(position) : lineAt(position);
    if (position < m_unitStart)
        applySelection(m_unitEnd, from);
    else
        applySelection(m_unitStart, std::max(to, m_unitEnd));
}

void TextView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if (m_maybeDrag) {
        if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            m_maybeDrag = false;
            startDrag();
        }
        return;
    }
    if (!m_selecting)
        return;
    m_autoScrollPoint = point;
    if (viewport()->rect().contains(point))
        m_autoScrollTimer.stop();
    else if (!m_autoScrollTimer.isActive())
        m_autoScrollTimer.start(50, this);
    extendSelectionTo(point);
    restartBlink();
}

void TextView::mouseReleaseEvent(QMouseEvent *event)
{
    m_autoScrollTimer.stop();
    if (event->button() != Qt::LeftButton)
        return;
    if (m_maybeDrag) {
        m_maybeDrag = false;
        const int position = positionAt(event->position().toPoint());
        applySelection(position, position);
    }
    if (m_selecting)
        publishSelection();
    m_selecting = false;
}

void TextView::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_blinkTimer.timerId()) {
        m_caretShown = !m_caretShown;
        updateCaret();
    } else if (event->timerId() == m_autoScrollTimer.timerId()) {
        const QRect area = viewport()->rect();
        const QPoint point = m_autoScrollPoint;
        // Farther from the edge, faster.
        if (point.y() < area.top())
            scrollByRows(-(1 + (area.top() - point.y()) / m_layout->rowHeight()));
        else if (point.y() > area.bottom())
            scrollByRows(1 + (point.y() - area.bottom()) / m_layout->rowHeight());
        QScrollBar *bar = horizontalScrollBar();
        if (point.x() < area.left())
            bar->setValue(bar->value() - bar->singleStep());
        else if (point.x() > area.right())
            bar->setValue(bar->value() + bar->singleStep());
        extendSelectionTo(point);
    } else if (event->timerId() == m_tripleClickTimer.timerId()) {
        m_tripleClickTimer.stop();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

// ---- Drag and drop ----

void TextView::startDrag()
{
    const int from = selectionStart();
    const int to = selectionEnd();
    QPointer<TextView> self(this);
    const QString text = selectedText();
    auto *drag = new QDrag(this);
    drag->setMimeData(createMimeDataFromSelection());
    m_movedWithin = false;
    const Qt::DropAction action =
        drag->exec(m_readOnly ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    if (!self)
        return;
    // Moved elsewhere: the text leaves; a move within the view is done by
    // the drop itself.
    if (action == Qt::MoveAction && !m_movedWithin && !m_readOnly && m_store.slice(from, to) == text)
        replace(from, to - from, {});
    m_movedWithin = false;
}

void TextView::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_readOnly || !canInsertFromMimeData(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void TextView::dragMoveEvent(QDragMoveEvent *event)
{
    if (m_readOnly || !canInsertFromMimeData(event->mimeData())) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    const int position = positionAt(point);
    if (position != m_dropPosition) {
        m_dropPosition = position;
        viewport()->update();
    }
    // Near the top or bottom edge, the view scrolls towards the text beyond.
    const int edge = m_layout->rowHeight();
    if (point.y() < edge)
        scrollByRows(-1);
    else if (point.y() > viewport()->height() - edge)
        scrollByRows(1);
    event->acceptProposedAction();
}

void TextView::dragLeaveEvent(QDragLeaveEvent *)
{
    m_dropPosition = -1;
    viewport()->update();
}

void TextView::dropEvent(QDropEvent *event)
{
    m_dropPosition = -1;
    viewport()->update();
    if (m_readOnly || !canInsertFromMimeData(event->mimeData())) {
        event->ignore();
        return;
    }
    int position = positionAt(event->position().toPoint());
    const bool within = event->source() == this && event->dropAction() == Qt::MoveAction;
    if (within) {
        const int from = selectionStart();
        const int to = selectionEnd();
        if (position >= from && position <= to) {
            // Dropped on itself: nothing moves.
            event->setDropAction(Qt::IgnoreAction);
            event->accept();
            return;
        }
        replace(from, to - from, {});
        if (position > to)
            position -= to - from;
        m_movedWithin = true;
    }
    setPosition(position);
    insertFromMimeData(event->mimeData());
    applySelection(position, m_position);
    if (within)
        event->setDropAction(Qt::MoveAction);
    event->accept();
    setFocus(Qt::MouseFocusReason);
    userMoved(false);
}

// ---- Context menu ----

QMenu *TextView::createStandardContextMenu()
{
    auto *menu = new QMenu(this);
    const bool editable = !m_readOnly;
    const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData();
    QAction *cut = menu->addAction(QStringLiteral("Co&uper"), QKeySequence::Cut, this, &TextView::cut);
    cut->setEnabled(editable && hasSelection());
    QAction *copy = menu->addAction(QStringLiteral("&Copier"), QKeySequence::Copy, this, &TextView::copy);
    copy->setEnabled(hasSelection());
    QAction *paste = menu->addAction(QStringLiteral("C&oller"), QKeySequence::Paste, this, &TextView::paste);
    paste->setEnabled(editable && clipboard && canInsertFromMimeData(clipboard));
    QAction *remove =
        menu->addAction(QStringLiteral("&Supprimer"), QKeySequence::Delete, this, &TextView::removeSelection);
    remove->setEnabled(editable && hasSelection());
    menu->addSeparator();
    QAction *all =
        menu->addAction(QStringLiteral("Tout &sélectionner"), QKeySequence::SelectAll, this, &TextView::selectAll);
    all->setEnabled(m_store.length() > 0);
    return menu;
}

void TextView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// ---- Clipboard and printing ----

void TextView::copy()
{
    if (hasSelection())
        QGuiApplication::clipboard()->setMimeData(createMimeDataFromSelection());
}

void TextView::cut()
{
    if (!hasSelection() || m_readOnly)
        return;
    copy();
    removeSelection();
    ensureCaretVisible();
}

void TextView::paste()
{
    if (m_readOnly)
        return;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data && canInsertFromMimeData(data)) {
        insertFromMimeData(data);
        ensureCaretVisible();
    }
}

bool TextView::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void TextView::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText())
        insertText(source->text());
}

QMimeData *TextView::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(selectedText());
    return data;
}

void TextView::print(QPagedPaintDevice *printer) const
{
    QTextDocument document;
    document.setDefaultFont(font());
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(m_tabStop);
    document.setDefaultTextOption(option);
    document.setPlainText(m_store.text());
    document.print(printer);
}
