#include "ui/text/textview.h"

#include "ui/text/textviewaccessible.h"
#include "ui/text/textviewlayout.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QtMath>

#include <algorithm>

TextView::TextView(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_layout(std::make_unique<TextViewLayout>(m_store))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    m_layout->setFont(font());
    m_layout->setTabStopDistance(m_tabStop);
    // A piece of a long line laid out for the first time may take more or
    // fewer rows than its estimate: the top row keeps showing its text.
    m_layout->setRowsMoved([this](int line, int fromRow, int delta) {
        if (line == verticalScrollBar()->value() && m_topRow >= fromRow)
            m_topRow += delta;
        if (m_maxTopValid && line >= m_maxTop.line)
            m_maxTopValid = false;
    });
    updateScrollBars();
    installTextViewAccessibility();
}

TextView::~TextView() = default;

qint64 TextView::linesLaidOut() const
{
    return m_layout->laidOutCount();
}

// ---- Text and edits ----

void TextView::setStore(LineStore store)
{
    m_store = std::move(store);
    m_layout->clear();
    m_layout->setPreedit(-1, 0, QString(), {});
    m_maxTopValid = false;
    m_desiredX = -1;
    m_ownScroll = true;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    m_ownScroll = false;
    m_topRow = 0;
    updateScrollBars();
    applySelection(0, 0);
    viewport()->update();
    emit storeReplaced();
}

void TextView::replace(int from, int removed, QStringView text)
{
    from = std::clamp(from, 0, m_store.length());
    removed = std::clamp(removed, 0, m_store.length() - from);
    if (removed == 0 && text.isEmpty())
        return; // nothing changes, nothing is modified
    const int first = m_store.lineOf(from);
    const int last = m_store.lineOf(from + removed);
    const int column = from - m_store.lineStart(first);
    const int oldCount = m_store.lineCount();
    const int oldTop = verticalScrollBar()->value();
    // Assistive technologies are told the removed text too.
    const QString oldText = TextViewAccessible::listening() ? m_store.slice(from, from + removed) : QString();
    const int added = m_store.replace(from, removed, text);
    const int delta = m_store.lineCount() - oldCount;
    if (first == last && delta == 0)
        m_layout->lineEdited(first, column, removed, added);
    else
        m_layout->linesReplaced(first, last, last - first + 1 + delta);
    if (m_maxTopValid) {
        if (last < m_maxTop.line)
            m_maxTop.line += delta;
        else
            m_maxTopValid = false;
    }
    // The caret and the anchor after the change move with it; inside the
    // removed text they go to its start.
    const auto moved = [&](int p) {
        if (p < from)
            return p;
        return p >= from + removed ? p - removed + added : from;
    };
    // They are in place before the signals, as a text document's cursors
    // are; their own signals follow the text's.
    const int oldAnchor = m_anchor;
    const int oldPosition = m_position;
    // Up and Down after an edit start from where the caret is.
    m_desiredXAt = -1;
    m_anchor = moved(m_anchor);
    m_position = moved(m_position);
    if (m_dropPosition >= 0)
        m_dropPosition = moved(m_dropPosition);
    if (TextViewAccessible::listening()) {
        QAccessibleTextUpdateEvent update(this, from, oldText, m_store.slice(from, from + added));
        TextViewAccessible::tell(&update);
    }
    // In a text document's order: the modified flag is set before
    // textChanged, whose receivers may set it back (undo to the saved text).
    emit contentsChange(from, removed, added);
    setModified(true);
    emit textChanged();
    updateScrollBars();
    // The top line keeps showing the same text when lines come or go above.
    if (delta != 0 && last < oldTop) {
        m_ownScroll = true;
        verticalScrollBar()->setValue(oldTop + delta);
        m_ownScroll = false;
    }
    selectionMoved(oldAnchor, oldPosition);
    viewport()->update();
}

void TextView::insertText(QStringView text)
{
    const int from = selectionStart();
    const int removed = selectionEnd() - from;
    const int before = m_store.length();
    replace(from, removed, text);
    setPosition(from + m_store.length() - before + removed);
}

void TextView::removeSelection()
{
    if (hasSelection())
        replace(selectionStart(), selectionEnd() - selectionStart(), {});
}

void TextView::deleteTo(int position)
{
    const int from = std::min(position, m_position);
    const int to = std::max(position, m_position);
    if (to > from)
        replace(from, to - from, {});
}

void TextView::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modificationChanged(modified);
}

// ---- Caret and selection ----

void TextView::applySelection(int anchor, int position)
{
    const int oldAnchor = m_anchor;
    const int oldPosition = m_position;
    m_anchor = std::clamp(anchor, 0, m_store.length());
    m_position = std::clamp(position, 0, m_store.length());
    selectionMoved(oldAnchor, oldPosition);
}

void TextView::selectionMoved(int oldAnchor, int oldPosition)
{
    const int oldStart = std::min(oldAnchor, oldPosition);
    const int oldEnd = std::max(oldAnchor, oldPosition);
    const bool had = oldAnchor != oldPosition;
    const bool moved = oldPosition != m_position;
    if (moved || hasSelection() || had)
        viewport()->update();
    if ((moved || had || hasSelection()) && TextViewAccessible::listening())
        TextViewAccessible::selectionMoved(this, oldAnchor, oldPosition);
    if (moved)
        emit cursorPositionChanged();
    if ((had || hasSelection()) && (oldStart != selectionStart() || oldEnd != selectionEnd()))
        emit selectionChanged();
    if (had != hasSelection())
        emit copyAvailable(hasSelection());
}

void TextView::setSelection(int anchor, int position)
{
    applySelection(anchor, position);
}

QString TextView::selectedText() const
{
    return m_store.slice(selectionStart(), selectionEnd());
}

void TextView::selectAll()
{
    applySelection(0, m_store.length());
}

namespace {

// The X11 selection: the view's selected text, taken only when another
// program asks for it. A selection of a whole large page is not copied at
// each change.
class SelectionMimeData : public QMimeData
{
public:
    explicit SelectionMimeData(const TextView *view)
        : m_view(view)
    {}
    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString &mimeType) const override { return mimeType == QLatin1String("text/plain"); }

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override
    {
        Q_UNUSED(type);
        if (!m_view || mimeType != QLatin1String("text/plain"))
            return {};
        return m_view->selectedText();
    }

private:
    QPointer<const TextView> m_view;
};

} // namespace

void TextView::publishSelection()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setMimeData(new SelectionMimeData(this), QClipboard::Selection);
}

void TextView::restartBlink()
{
    m_caretShown = true;
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0 && hasFocus())
        m_blinkTimer.start(flash / 2, this);
    else
        m_blinkTimer.stop();
    viewport()->update();
}

void TextView::updateCaret()
{
    const int margin = 2;
    viewport()->update(caretRect().adjusted(-margin, 0, margin, 0));
}

void TextView::userMoved(bool publish)
{
    ensureCaretVisible();
    restartBlink();
    if (publish)
        publishSelection();
}

// Walks rows down (rows > 0) or up from at, laying out the lines it passes;
// returns the rows actually walked.
int TextView::stepRows(Row &at, int rows) const
{
    int walked = 0;
    for (; rows > 0; --rows, ++walked) {
        if (at.row + 1 < m_layout->rowCount(at.line))
            ++at.row;
        else if (at.line + 1 < m_store.lineCount())
            at = {at.line + 1, 0};
        else
            break;
    }
    for (; rows < 0; ++rows, ++walked) {
        if (at.row > 0)
            --at.row;
        else if (at.line > 0)
            at = {at.line - 1, m_layout->rowCount(at.line - 1) - 1};
        else
            break;
    }
    return walked;
}

int TextView::moveTarget(Move move)
{
    const int line = caretLine();
    const int start = m_store.lineStart(line);
    const int column = m_position - start;
    const int length = m_store.lineLength(line);
    const bool lastLine = line + 1 >= m_store.lineCount();
    const auto lineEnd = [this](int l) { return m_store.lineStart(l) + m_store.lineLength(l); };
    const auto verticalMove = [&](int rows) {
        // The x a run of vertical moves aims for holds while the caret stays
        // where the last of them put it; typing or any other move ends it.
        const bool aiming = m_desiredX >= 0 && m_desiredXAt == m_position;
        const qreal x = aiming ? m_desiredX : m_layout->xOf(line, column);
        Row at{line, m_layout->rowOf(line, column)};
        if (stepRows(at, rows) == 0)
            return m_position;
        m_desiredX = x;
        m_desiredXAt = m_store.lineStart(at.line) + m_layout->columnAt(at.line, at.row, x);
        return m_desiredXAt;
    };
    switch (move) {
    case Start:
        return 0;
    case End:
        return m_store.length();
    case StartOfBlock:
        return start;
    case EndOfBlock:
        return start + length;
    case StartOfLine:
        return start + m_layout->rowStart(line, m_layout->rowOf(line, column));
    case EndOfLine: {
        const int row = m_layout->rowOf(line, column);
        const int end = m_layout->rowEnd(line, row);
        // A wrapped row's end is the next row's start: stop before it.
        if (row + 1 < m_layout->rowCount(line) && end > 0)
            return start + m_layout->previousColumn(line, end, QTextLayout::SkipCharacters);
        return start + end;
    }
    case PreviousCharacter:
        if (column > 0)
            return start + m_layout->previousColumn(line, column, QTextLayout::SkipCharacters);
        return line > 0 ? start - 1 : m_position;
    case NextCharacter:
        if (column < length)
            return start + m_layout->nextColumn(line, column, QTextLayout::SkipCharacters);
        return lastLine ? m_position : start + length + 1;
    case PreviousWord:
        if (column > 0)
            return start + m_layout->previousColumn(line, column, QTextLayout::SkipWords);
        return line > 0 ? start - 1 : m_position;
    case NextWord:
        if (column < length)
            return start + m_layout->nextColumn(line, column, QTextLayout::SkipWords);
        return lastLine ? m_position : start + length + 1;
    case Left:
    case Right: {
        const int to = move == Left ? m_layout->leftColumn(line, column) : m_layout->rightColumn(line, column);
        if (to != column)
            return start + to;
        // At the line's edge: towards the previous line on the side where
        // the line starts.
        const bool towardsStart = (move == Left) != m_store.line(line).isRightToLeft();
        if (towardsStart)
            return line > 0 ? lineEnd(line - 1) : m_position;
        return lastLine ? m_position : start + length + 1;
    }
    case Up:
        return verticalMove(-1);
    case Down:
        return verticalMove(1);
    case PageUp:
        return verticalMove(-visibleRows());
    case PageDown:
        return verticalMove(visibleRows());
    }
    return m_position;
}

int TextView::movedPosition(Move move) const
{
    // Finding the target may lay lines out (a cache) and remembers the x of
    // a vertical move: neither shows, and the x is put back.
    auto *self = const_cast<TextView *>(this);
    const auto desiredX = m_desiredX;
    const int desiredXAt = m_desiredXAt;
    const int target = self->moveTarget(move);
    self->m_desiredX = desiredX;
    self->m_desiredXAt = desiredXAt;
    return target;
}

void TextView::moveCaret(Move move, bool keepAnchor)
{
    const bool vertical = move == Up || move == Down || move == PageUp || move == PageDown;
    if (!vertical)
        m_desiredX = -1;
    const bool characterMove = move == PreviousCharacter || move == NextCharacter || move == Left || move == Right;
    if (!keepAnchor && characterMove && hasSelection()) {
        // A character move without shift ends the selection at its side.
        const bool backwards = move == PreviousCharacter || move == NextCharacter
                                   ? move == PreviousCharacter
                                   : (move == Left) != m_store.line(caretLine()).isRightToLeft();
        const int to = backwards ? selectionStart() : selectionEnd();
        applySelection(to, to);
        return;
    }
    const int target = moveTarget(move);
    applySelection(keepAnchor ? m_anchor : target, target);
}

// ---- Geometry ----

int TextView::visibleRows() const
{
    return std::max(1, (viewport()->height() - 2 * m_margin) / m_layout->rowHeight());
}

int TextView::horizontalOffset() const
{
    return m_wordWrap ? 0 : horizontalScrollBar()->value();
}

TextView::Row TextView::top() const
{
    return {std::clamp(verticalScrollBar()->value(), 0, m_store.lineCount() - 1), m_topRow};
}

// Rows between the top row and the first row of line. Lines beyond a
// screenful from the top count one row each: they are not shown, so they are
// not laid out just to be counted.
int TextView::rowsFromTop(int line) const
{
    const Row t = top();
    const int limit = visibleRows() + 2;
    int rows = -t.row;
    if (line >= t.line) {
        int l = t.line;
        for (; l < line && rows < limit; ++l)
            rows += m_layout->rowCount(l);
        return rows + (line - l);
    }
    if (t.line - line > limit)
        return rows - (t.line - line);
    for (int l = line; l < t.line; ++l)
        rows -= m_layout->knownRowCount(l);
    return rows;
}

int TextView::firstVisibleLine() const
{
    return top().line;
}

int TextView::lastVisibleLine() const
{
    const Row t = top();
    int y = m_margin - t.row * m_layout->rowHeight();
    int line = t.line;
    for (; line + 1 < m_store.lineCount(); ++line) {
        y += m_layout->rowCount(line) * m_layout->rowHeight();
        if (y >= viewport()->height())
            break;
    }
    return line;
}

QRect TextView::positionRect(int position) const
{
    position = std::clamp(position, 0, m_store.length());
    const int line = m_store.lineOf(position);
    const int column = columnOf(position, line);
    const int row = m_layout->rowOf(line, column);
    const int h = m_layout->rowHeight();
    const int y = m_margin + (rowsFromTop(line) + row) * h;
    const int x = m_margin - horizontalOffset() + qFloor(m_layout->xOf(line, column));
    return QRect(x, y, 1, h);
}

QRect TextView::caretRect() const
{
    QRect rect = positionRect(m_position);
    if (m_layout->hasPreedit() && m_preeditCursor > 0) {
        // Inside the preedit text: where the input method puts its cursor.
        rect.moveLeft(m_margin - horizontalOffset() + qFloor(m_layout->preeditX(m_preeditCursor)));
    }
    if (m_overwrite) {
        const int line = caretLine();
        const int column = columnOf(m_position, line);
        const qreal x = m_layout->xOf(line, column);
        qreal width = QFontMetricsF(font()).horizontalAdvance(u' ');
        if (column < m_store.lineLength(line)) {
            const int next = m_layout->nextColumn(line, column, QTextLayout::SkipCharacters);
            if (m_layout->rowOf(line, next) == m_layout->rowOf(line, column))
                width = std::abs(m_layout->xOf(line, next) - x);
        }
        rect.setWidth(std::max(1, qCeil(width)));
    }
    return rect;
}

int TextView::positionAt(const QPoint &viewportPoint) const
{
    const int h = m_layout->rowHeight();
    const Row t = top();
    const int y = std::clamp(viewportPoint.y(), 0, std::max(0, viewport()->height() - 1));
    int rows = std::max(0, y - m_margin) / h + t.row;
    int line = t.line;
    for (;; ++line) {
        const int count = m_layout->rowCount(line);
        if (rows < count || line + 1 >= m_store.lineCount()) {
            rows = std::min(rows, count - 1);
            break;
        }
        rows -= count;
    }
    const qreal x = viewportPoint.x() - m_margin + horizontalOffset();
    return m_store.lineStart(line) + m_layout->columnAt(line, rows, x);
}

// ---- Scrolling ----

TextView::Row TextView::maxTop()
{
    const int rows = visibleRows();
    if (!m_wordWrap)
        return {std::max(0, m_store.lineCount() - rows), 0};
    if (m_maxTopValid)
        return m_maxTop;
    // The last screenful of rows, counted from the end.
    int remaining = rows;
    m_maxTop = {0, 0};
    for (int line = m_store.lineCount() - 1; line >= 0; --line) {
        const int count = m_layout->rowCount(line);
        if (count >= remaining) {
            m_maxTop = {line, count - remaining};
            break;
        }
        remaining -= count;
    }
    m_maxTopValid = true;
    return m_maxTop;
}

void TextView::setTop(Row row)
{
    row.line = std::clamp(row.line, 0, m_store.lineCount() - 1);
    row.row = std::clamp(row.row, 0, m_layout->rowCount(row.line) - 1);
    row = std::min(row, maxTop());
    m_ownScroll = true;
    verticalScrollBar()->setValue(row.line);
    m_ownScroll = false;
    m_topRow = row.row;
    viewport()->update();
}

void TextView::scrollByRows(int rows)
{
    Row at = top();
    stepRows(at, rows);
    setTop(at);
}

void TextView::scrollToLine(int line)
{
    setTop({line, 0});
}

void TextView::updateScrollBars()
{
    const Row last = maxTop();
    const bool own = m_ownScroll;
    m_ownScroll = true;
    QScrollBar *vertical = verticalScrollBar();
    vertical->setRange(0, last.line);
    vertical->setPageStep(visibleRows());
    vertical->setSingleStep(1);
    QScrollBar *horizontal = horizontalScrollBar();
    if (m_wordWrap) {
        horizontal->setRange(0, 0);
    } else {
        m_rangeWidest = m_layout->widest();
        const int caretWidth = std::max(1, qCeil(QFontMetricsF(font()).horizontalAdvance(u' ')));
        const int width = qCeil(m_rangeWidest) + 2 * m_margin + caretWidth;
        horizontal->setRange(0, std::max(0, width - viewport()->width()));
        horizontal->setPageStep(viewport()->width());
        horizontal->setSingleStep(std::max(1, QFontMetrics(font()).averageCharWidth() * 2));
    }
    m_ownScroll = own;
    if (vertical->value() == last.line && m_topRow > last.row)
        m_topRow = last.row;
}

void TextView::relayout()
{
    m_layout->setWrapWidth(m_wordWrap ? viewport()->width() - 2 * m_margin : 0);
    m_maxTopValid = false;
    if (m_topRow > 0)
        m_topRow = std::min(m_topRow, m_layout->rowCount(top().line) - 1);
    updateScrollBars();
    viewport()->update();
}

void TextView::scrollContentsBy(int, int dy)
{
    // A scroll bar moved by the user shows its line from its first row, and
    // at its end the last rows of the text.
    if (!m_ownScroll && dy != 0) {
        const Row last = maxTop();
        m_topRow = verticalScrollBar()->value() >= last.line ? last.row : 0;
    }
    viewport()->update();
}

void TextView::ensureCaretVisible()
{
    const int line = caretLine();
    const int column = columnOf(m_position, line);
    Row caret{line, m_layout->rowOf(line, column)};
    const Row t = top();
    const int rows = visibleRows();
    if (caret < t) {
        setTop(caret);
    } else {
        // Counting rows from the top stops after a screenful, so that a
        // caret far below costs no layout of the lines between.
        int count = 0;
        bool shown = false;
        for (Row at = t; count < rows; ++count) {
            if (at == caret) {
                shown = true;
                break;
            }
            if (stepRows(at, 1) == 0)
                break;
        }
        if (!shown) {
            // The rows above the caret, laid out, may count differently from
            // their estimate (pieces of a long line): count again until the
            // caret's row holds.
            Row at = caret;
            for (int pass = 0; pass < 3; ++pass) {
                at = caret;
                stepRows(at, -(rows - 1));
                for (Row r = at; r < caret && stepRows(r, 1) == 1;)
                    m_layout->rowStart(r.line, r.row);
                const Row again{line, m_layout->rowOf(line, column)};
                if (again == caret)
                    break;
                caret = again;
            }
            setTop(at);
        }
    }
    if (!m_wordWrap) {
        const qreal x = m_layout->xOf(line, column);
        if (m_layout->widest() != m_rangeWidest)
            updateScrollBars();
        QScrollBar *bar = horizontalScrollBar();
        const int width = viewport()->width() - 2 * m_margin;
        const int caretWidth = caretRect().width();
        if (x < bar->value())
            bar->setValue(qFloor(x));
        else if (x + caretWidth > bar->value() + width)
            bar->setValue(qCeil(x) + caretWidth - width);
    }
}

void TextView::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        event->ignore();
        return;
    }
    if (delta.y() != 0) {
        m_wheelRemainder += delta.y();
        const int steps = m_wheelRemainder / 120;
        m_wheelRemainder -= steps * 120;
        if (steps != 0)
            scrollByRows(-steps * QApplication::wheelScrollLines());
    } else if (delta.x() != 0) {
        QScrollBar *bar = horizontalScrollBar();
        bar->setValue(bar->value() - delta.x() * bar->singleStep() / 40);
    }
    event->accept();
}

// ---- Settings ----

void TextView::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    setAttribute(Qt::WA_InputMethodEnabled, !readOnly);
    viewport()->update();
}

void TextView::setOverwriteMode(bool overwrite)
{
    m_overwrite = overwrite;
    viewport()->update();
}

void TextView::setTabStopDistance(qreal distance)
{
    m_tabStop = distance;
    m_layout->setTabStopDistance(distance);
    relayout();
}

void TextView::setWordWrap(bool wrap)
{
    if (m_wordWrap == wrap)
        return;
    m_wordWrap = wrap;
    setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setValue(0);
    m_topRow = 0;
    relayout();
}

void TextView::setDocumentMargin(int margin)
{
    m_margin = std::max(0, margin);
    relayout();
}

void TextView::setLineFormats(LineFormats *formats)
{
    m_formats = formats;
    applyFormatSources();
}

void TextView::addOverlay(LineFormats *overlay)
{
    if (overlay && std::find(m_overlays.begin(), m_overlays.end(), overlay) == m_overlays.end())
        m_overlays.push_back(overlay);
    applyFormatSources();
}

void TextView::removeOverlay(LineFormats *overlay)
{
    m_overlays.erase(std::remove(m_overlays.begin(), m_overlays.end(), overlay), m_overlays.end());
    applyFormatSources();
}

void TextView::applyFormatSources()
{
    std::vector<LineFormats *> sources;
    if (m_formats)
        sources.push_back(m_formats);
    sources.insert(sources.end(), m_overlays.begin(), m_overlays.end());
    m_layout->setFormats(std::move(sources));
    viewport()->update();
}

void TextView::refreshFormats(int firstLine, int lastLine)
{
    m_layout->invalidateFormats(firstLine, lastLine);
    viewport()->update();
}

// ---- Painting ----

void TextView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QRect clip = event->rect();
    const int h = m_layout->rowHeight();
    const Row t = top();
    const int height = viewport()->height();
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    QTextCharFormat selected;
    selected.setBackground(palette().brush(group, QPalette::Highlight));
    selected.setForeground(palette().brush(group, QPalette::HighlightedText));
    const int breakWidth = std::max(2, qCeil(QFontMetricsF(font()).horizontalAdvance(u' ')));
    const qreal x0 = m_margin - horizontalOffset();
    const int caretAt = caretLine();
    const int dropLine = m_dropPosition >= 0 ? m_store.lineOf(m_dropPosition) : -1;
    painter.setPen(palette().color(group, QPalette::Text));

    // Every line in view is walked (their row counts are known), but only
    // the rows the region meets are drawn.
    int start = m_store.lineStart(t.line);
    int y = m_margin - t.row * h;
    int line = t.line;
    for (; line < m_store.lineCount() && y < height; ++line) {
        const int length = m_store.lineLength(line);
        if (y + m_layout->rowCount(line) * h > clip.top() && y <= clip.bottom()) {
            const QPointF origin(x0, y);
            // Rows above the top row are not drawn into the margin: in a
            // long line they may be pieces not laid out yet, whose rows,
            // once counted, would move the rows below during this paint.
            QRectF area(clip);
            if (line == t.line && area.top() < m_margin)
                area.setTop(m_margin);
            m_layout->draw(&painter, line, origin, area, selectionStart() - start, selectionEnd() - start, selected);
            if (hasSelection() && selectionStart() <= start + length && selectionEnd() > start + length) {
                // The selected line break: a space's width after the line.
                const qreal x = x0 + m_layout->xOf(line, length);
                const int row = m_layout->rowOf(line, length);
                painter.fillRect(QRectF(x, y + row * h, breakWidth, h), selected.background());
            }
            if (line == caretAt && hasFocus() && m_caretShown) {
                const int column = m_position - start;
                painter.save();
                if (m_overwrite && !m_layout->hasPreedit()) {
                    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
                    m_layout->drawCursor(&painter, line, origin, column, caretRect().width());
                } else {
                    m_layout->drawCursor(&painter, line, origin, column,
                                         style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this),
                                         m_preeditCursor);
                }
                painter.restore();
            }
            if (line == dropLine)
                m_layout->drawCursor(&painter, line, origin, m_dropPosition - start, 2);
        }
        y += m_layout->rowCount(line) * h;
        start += length + 1;
    }

    // Layouts of lines far from the view are dropped; those around it stay
    // for scrolling back and forth.
    const int shown = std::max(1, line - t.line);
    m_layout->keepOnly(t.line - 2 * shown - 32, line + 2 * shown + 32);
    if (!m_wordWrap && m_layout->widest() != m_rangeWidest)
        QMetaObject::invokeMethod(this, &TextView::updateScrollBars, Qt::QueuedConnection);
}

void TextView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void TextView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_layout->setFont(font());
        relayout();
    } else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ActivationChange) {
        viewport()->update();
    }
}

void TextView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
}

void TextView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_blinkTimer.stop();
    viewport()->update();
}
