#include "ui/text/textviewlayout.h"

#include "ui/text/textview.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>
#include <QtMath>

#include <algorithm>
#include <utility>

namespace {

// A row width that no line reaches, for lines that do not wrap.
constexpr qreal UnwrappedWidth = 1e9;
// Lines up to this long are laid out whole; longer ones in pieces of about
// PieceLength characters, cut where the text allows.
constexpr int LongLine = 6000;
constexpr int PieceLength = 2000;
// How far back from the ideal cut a piece looks for a blank or a tag's end.
constexpr int CutSearch = 200;
// A line whose characters' widths add up to less than this share of the
// wrapping width takes one row (kerning and shaping change widths far less).
constexpr qreal OneRowShare = 0.9;
// Pieces around those drawn last keep their layouts.
constexpr int KeptPieces = 16;

bool isMark(QChar c)
{
    const QChar::Category category = c.category();
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
           || category == QChar::Mark_Enclosing || c.unicode() == 0x200D;
}

// A cut before at keeps graphemes and surrogate pairs whole.
bool canCutAt(QStringView text, int at)
{
    return !text[at].isLowSurrogate() && !isMark(text[at]) && text[at - 1].unicode() != 0x200D;
}

// Where the piece that starts at from ends, within a text of length end.
int cutAfter(QStringView text, int from, int end)
{
    const int ideal = from + PieceLength;
    for (int at = ideal; at > ideal - CutSearch; --at) {
        const QChar before = text[at - 1];
        if ((before == u' ' || before == u'>') && canCutAt(text, at))
            return at;
    }
    for (int at = ideal; at < end; ++at)
        if (canCutAt(text, at))
            return at;
    return end;
}

} // namespace

TextViewLayout::TextViewLayout(const LineStore &store)
    : m_store(store)
{
    setFont(QFont());
}

TextViewLayout::~TextViewLayout() = default;

void TextViewLayout::setFont(const QFont &font)
{
    m_font = font;
    const QFontMetricsF metrics(font);
    m_rowHeight = std::max(1, qCeil(metrics.height()));
    m_averageAdvance = std::max<qreal>(1, metrics.averageCharWidth());
    m_advances.assign(0x10000, -1);
    clear();
}

void TextViewLayout::setTabStopDistance(qreal distance)
{
    if (qFuzzyCompare(distance, m_tabStop))
        return;
    m_tabStop = distance;
    clear();
}

void TextViewLayout::setWrapWidth(qreal width)
{
    width = std::max<qreal>(width, 0);
    if (qFuzzyCompare(width + 1, m_wrapWidth + 1))
        return;
    m_wrapWidth = width;
    clear();
}

void TextViewLayout::setFormats(std::vector<LineFormats *> formats)
{
    m_formats = std::move(formats);
    invalidateFormats(-1, -1);
}

// ---- Pieces ----

qreal TextViewLayout::estimatedWidth(QStringView text)
{
    qreal width = 0;
    const QFontMetricsF metrics(m_font);
    for (const QChar c : text) {
        if (c == u'\t') {
            width = (qFloor(width / m_tabStop) + 1) * m_tabStop;
            continue;
        }
        if (c.isSurrogate()) {
            width += m_averageAdvance / 2;
            continue;
        }
        float &advance = m_advances[c.unicode()];
        if (advance < 0)
            advance = float(metrics.horizontalAdvance(c));
        width += advance;
    }
    return width;
}

int TextViewLayout::estimatedRows(qreal width) const
{
    return m_wrapWidth > 0 ? std::max(1, qCeil(width / m_wrapWidth)) : 1;
}

void TextViewLayout::split(int line, int from, int to, std::vector<Piece> &out)
{
    const QString &text = m_store.line(line);
    while (from < to) {
        const int end = to - from > PieceLength + PieceLength / 2 ? cutAfter(text, from, to) : to;
        Piece piece;
        piece.start = from;
        piece.length = end - from;
        piece.width = estimatedWidth(QStringView(text).sliced(from, end - from));
        piece.rows = estimatedRows(piece.width);
        out.push_back(std::move(piece));
        from = end;
    }
}

void TextViewLayout::place(Line &l)
{
    int top = 0;
    qreal left = 0;
    for (Piece &p : l.pieces) {
        p.top = top;
        p.left = left;
        top += p.rows;
        left += p.width;
    }
    l.rows = m_wrapWidth > 0 ? std::max(1, top) : 1;
    l.width = left;
}

TextViewLayout::Line &TextViewLayout::entry(int line)
{
    line = std::clamp(line, 0, m_store.lineCount() - 1);
    auto [it, made] = m_lines.try_emplace(line);
    Line &l = it->second;
    if (made) {
        const int length = m_store.lineLength(line);
        if (length <= LongLine) {
            Piece whole;
            whole.length = length;
            l.pieces.push_back(std::move(whole));
        } else {
            split(line, 0, length, l.pieces);
        }
        place(l);
        if (m_wrapWidth <= 0 && l.pieces.size() > 1)
            noteWidth(line, l.width);
    }
    return l;
}

int TextViewLayout::pieceAt(const Line &l, int column) const
{
    const auto it =
        std::upper_bound(l.pieces.begin(), l.pieces.end(), column, [](int c, const Piece &p) { return c < p.start; });
    return std::max(0, int(it - l.pieces.begin()) - 1);
}

int TextViewLayout::pieceAtX(const Line &l, qreal x) const
{
    const auto it =
        std::upper_bound(l.pieces.begin(), l.pieces.end(), x, [](qreal v, const Piece &p) { return v < p.left; });
    return std::max(0, int(it - l.pieces.begin()) - 1);
}

QTextLayout *TextViewLayout::shape(int line, Line &l, int index)
{
    Piece &p = l.pieces[size_t(index)];
    if (p.layout)
        return p.layout.get();
    const QString &text = m_store.line(line);
    auto layout = std::make_unique<QTextLayout>(l.pieces.size() == 1 ? text : text.mid(p.start, p.length), m_font);
    QTextOption option;
    option.setTabStopDistance(m_tabStop);
    option.setWrapMode(m_wrapWidth > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    // Right-to-left lines start at the left edge too: the view's x range
    // then never depends on a line's direction.
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    // The colours go into the layout itself: drawn with the glyphs, they
    // cost nothing per range when painting.
    QList<QTextLayout::FormatRange> formats;
    for (LineFormats *source : m_formats)
        for (QTextLayout::FormatRange range : source->formats(line, p.start, p.start + p.length)) {
            const int from = std::max(range.start - p.start, 0);
            const int to = std::min(range.start + range.length - p.start, p.length);
            if (to > from)
                formats.append({from, to - from, range.format});
        }
    const int preeditAt = line == m_preeditLine ? m_preeditColumn - p.start : -1;
    if (preeditAt >= 0 && (preeditAt < p.length || (preeditAt == p.length && index + 1 == int(l.pieces.size())))) {
        layout->setPreeditArea(preeditAt, m_preedit);
        // Colours stay on their characters, the preedit text between.
        QList<QTextLayout::FormatRange> shifted;
        const int size = int(m_preedit.size());
        for (const QTextLayout::FormatRange &range : std::as_const(formats)) {
            const int end = range.start + range.length;
            if (end <= preeditAt) {
                shifted.append(range);
            } else if (range.start >= preeditAt) {
                shifted.append({range.start + size, range.length, range.format});
            } else {
                shifted.append({range.start, preeditAt - range.start, range.format});
                shifted.append({preeditAt + size, end - preeditAt, range.format});
            }
        }
        for (QTextLayout::FormatRange range : m_preeditFormats) {
            range.start += preeditAt;
            shifted.append(range);
        }
        formats = std::move(shifted);
    }
    layout->setFormats(formats);
    layout->beginLayout();
    for (int row = 0;; ++row) {
        QTextLine textLine = layout->createLine();
        if (!textLine.isValid())
            break;
        textLine.setLineWidth(m_wrapWidth > 0 ? m_wrapWidth : UnwrappedWidth);
        textLine.setPosition(QPointF(0, qreal(row) * m_rowHeight));
    }
    layout->endLayout();
    ++m_laidOut;
    const int rows = m_wrapWidth > 0 ? std::max(1, layout->lineCount()) : 1;
    const qreal width = layout->lineCount() > 0 ? layout->lineAt(0).naturalTextWidth() : 0;
    p.layout = std::move(layout);
    if (!p.measured || rows != p.rows || (m_wrapWidth <= 0 && !qFuzzyCompare(width + 1, p.width + 1))) {
        const int oldRows = p.rows;
        const int oldTop = p.top;
        p.rows = rows;
        if (m_wrapWidth <= 0)
            p.width = width;
        p.measured = true;
        place(l);
        if (rows != oldRows && l.pieces.size() > 1 && m_rowsMoved)
            m_rowsMoved(line, oldTop + oldRows, rows - oldRows);
    }
    if (m_wrapWidth <= 0)
        noteWidth(line, l.width);
    return p.layout.get();
}

std::pair<int, int> TextViewLayout::locate(int line, Line &l, int row)
{
    for (;;) {
        row = std::clamp(row, 0, l.rows - 1);
        const auto it =
            std::upper_bound(l.pieces.begin(), l.pieces.end(), row, [](int r, const Piece &p) { return r < p.top; });
        const int index = std::max(0, int(it - l.pieces.begin()) - 1);
        Piece &p = l.pieces[size_t(index)];
        const bool measured = p.measured;
        shape(line, l, index);
        if (measured)
            return {index, std::clamp(row - p.top, 0, p.rows - 1)};
    }
}

int TextViewLayout::toLayout(int line, const Piece &p, int local) const
{
    if (line == m_preeditLine && local > m_preeditColumn - p.start && m_preeditColumn >= p.start
        && m_preeditColumn <= p.start + p.length)
        return local + int(m_preedit.size());
    return local;
}

int TextViewLayout::fromLayout(int line, const Piece &p, int layoutColumn) const
{
    const int at = m_preeditColumn - p.start;
    if (line != m_preeditLine || at < 0 || at > p.length || layoutColumn <= at)
        return layoutColumn;
    return std::max(at, layoutColumn - int(m_preedit.size()));
}

// ---- Rows and columns ----

int TextViewLayout::rowCount(int line)
{
    if (m_wrapWidth <= 0)
        return 1;
    line = std::clamp(line, 0, m_store.lineCount() - 1);
    // A short line whose characters fill well under a row takes one row:
    // moves through pages of them need not lay them out to count them.
    if (!m_lines.contains(line) && m_store.lineLength(line) * m_averageAdvance < 4 * m_wrapWidth
        && estimatedWidth(m_store.line(line)) < OneRowShare * m_wrapWidth)
        return 1;
    Line &l = entry(line);
    if (l.pieces.size() == 1)
        shape(line, l, 0);
    return l.rows;
}

int TextViewLayout::knownRowCount(int line) const
{
    const auto it = m_lines.find(line);
    return it != m_lines.end() ? it->second.rows : 1;
}

int TextViewLayout::rowOf(int line, int column)
{
    if (m_wrapWidth <= 0)
        return 0;
    Line &l = entry(line);
    const int index = pieceAt(l, column);
    const Piece &p = l.pieces[size_t(index)];
    QTextLayout *layout = shape(line, l, index);
    const QTextLine textLine = layout->lineForTextPosition(toLayout(line, p, column - p.start));
    return p.top + (textLine.isValid() ? textLine.lineNumber() : std::max(0, layout->lineCount() - 1));
}

int TextViewLayout::rowStart(int line, int row)
{
    if (m_wrapWidth <= 0)
        return 0;
    Line &l = entry(line);
    const auto [index, local] = locate(line, l, row);
    const Piece &p = l.pieces[size_t(index)];
    const QTextLine textLine = p.layout->lineAt(local);
    return p.start + (textLine.isValid() ? fromLayout(line, p, textLine.textStart()) : 0);
}

int TextViewLayout::rowEnd(int line, int row)
{
    if (m_wrapWidth <= 0)
        return m_store.lineLength(std::clamp(line, 0, m_store.lineCount() - 1));
    Line &l = entry(line);
    const auto [index, local] = locate(line, l, row);
    const Piece &p = l.pieces[size_t(index)];
    const QTextLine textLine = p.layout->lineAt(local);
    return p.start
           + (textLine.isValid() ? fromLayout(line, p, textLine.textStart() + textLine.textLength()) : p.length);
}

qreal TextViewLayout::xOf(int line, int column)
{
    Line &l = entry(line);
    const int index = pieceAt(l, column);
    QTextLayout *layout = shape(line, l, index);
    const Piece &p = l.pieces[size_t(index)];
    const int at = toLayout(line, p, column - p.start);
    QTextLine textLine = layout->lineForTextPosition(at);
    if (!textLine.isValid())
        textLine = layout->lineAt(layout->lineCount() - 1);
    const qreal x = textLine.isValid() ? textLine.cursorToX(at) : 0;
    return m_wrapWidth > 0 ? x : p.left + x;
}

int TextViewLayout::columnAt(int line, int row, qreal x)
{
    Line &l = entry(line);
    int index = 0;
    int local = 0;
    if (m_wrapWidth > 0) {
        std::tie(index, local) = locate(line, l, row);
    } else {
        index = pieceAtX(l, x);
        shape(line, l, index);
    }
    const Piece &p = l.pieces[size_t(index)];
    QTextLayout *layout = p.layout.get();
    const QTextLine textLine = layout->lineAt(local);
    if (!textLine.isValid())
        return p.start;
    int at = textLine.xToCursor(m_wrapWidth > 0 ? x : x - p.left, QTextLine::CursorBetweenCharacters);
    // The end of a wrapped row is the start of the next one, where a caret
    // shows on the next row: stay on this row.
    const bool lastRow = index + 1 == int(l.pieces.size()) && local + 1 >= layout->lineCount();
    if (m_wrapWidth > 0 && !lastRow && at >= textLine.textStart() + textLine.textLength() && at > textLine.textStart())
        at = layout->previousCursorPosition(textLine.textStart() + textLine.textLength());
    return p.start + fromLayout(line, p, at);
}

int TextViewLayout::nextColumn(int line, int column, QTextLayout::CursorMode mode)
{
    Line &l = entry(line);
    const int index = pieceAt(l, column);
    QTextLayout *layout = shape(line, l, index);
    const Piece &p = l.pieces[size_t(index)];
    return p.start + fromLayout(line, p, layout->nextCursorPosition(toLayout(line, p, column - p.start), mode));
}

int TextViewLayout::previousColumn(int line, int column, QTextLayout::CursorMode mode)
{
    Line &l = entry(line);
    int index = pieceAt(l, column);
    if (column == l.pieces[size_t(index)].start && index > 0)
        --index;
    QTextLayout *layout = shape(line, l, index);
    const Piece &p = l.pieces[size_t(index)];
    return p.start + fromLayout(line, p, layout->previousCursorPosition(toLayout(line, p, column - p.start), mode));
}

int TextViewLayout::leftColumn(int line, int column)
{
    return visualMove(line, column, true);
}

int TextViewLayout::rightColumn(int line, int column)
{
    return visualMove(line, column, false);
}

int TextViewLayout::visualMove(int line, int column, bool left)
{
    Line &l = entry(line);
    int index = pieceAt(l, column);
    // At the left edge of a piece, the move goes on in the piece before.
    if (left && index > 0 && column == l.pieces[size_t(index)].start)
        --index;
    QTextLayout *layout = shape(line, l, index);
    const Piece &p = l.pieces[size_t(index)];
    int at = toLayout(line, p, column - p.start);
    // Visual moves through right-to-left runs may stop between the halves of
    // a surrogate pair: step on to the next place a caret can be.
    for (int step = 0; step < 4; ++step) {
        const int next = left ? layout->leftCursorPosition(at) : layout->rightCursorPosition(at);
        if (next == at)
            break;
        at = next;
        if (layout->isValidCursorPosition(at))
            return p.start + fromLayout(line, p, at);
    }
    return column;
}

// ---- Painting ----

void TextViewLayout::draw(QPainter *painter, int line, QPointF origin, const QRectF &clip, int selectedFrom,
                          int selectedTo, const QTextCharFormat &selected)
{
    Line &l = entry(line);
    int index = 0;
    if (m_wrapWidth > 0)
        index = locate(line, l, int((clip.top() - origin.y()) / m_rowHeight)).first;
    else
        index = pieceAtX(l, clip.left() - origin.x());
    l.drawnFirst = index;
    for (; index < int(l.pieces.size()); ++index) {
        Piece &p = l.pieces[size_t(index)];
        const QPointF at = origin + (m_wrapWidth > 0 ? QPointF(0, p.top * m_rowHeight) : QPointF(p.left, 0));
        if (m_wrapWidth > 0 ? at.y() >= clip.bottom() : at.x() >= clip.right())
            break;
        QTextLayout *layout = shape(line, l, index);
        QList<QTextLayout::FormatRange> selections;
        const int from = std::max(selectedFrom - p.start, 0);
        const int to = std::min(selectedTo - p.start, p.length);
        if (to > from) {
            const int layoutFrom = toLayout(line, p, from);
            selections.append({layoutFrom, toLayout(line, p, to) - layoutFrom, selected});
        }
        layout->draw(painter, at, selections, clip);
        l.drawnLast = index;
    }
}

void TextViewLayout::drawCursor(QPainter *painter, int line, QPointF origin, int column, int width, int preeditCursor)
{
    Line &l = entry(line);
    const int index = pieceAt(l, column);
    QTextLayout *layout = shape(line, l, index);
    const Piece &p = l.pieces[size_t(index)];
    const QPointF at = origin + (m_wrapWidth > 0 ? QPointF(0, p.top * m_rowHeight) : QPointF(p.left, 0));
    layout->drawCursor(painter, at, toLayout(line, p, column - p.start) + preeditCursor, width);
}

qreal TextViewLayout::preeditX(int preeditCursor)
{
    if (m_preeditLine < 0)
        return 0;
    Line &l = entry(m_preeditLine);
    const int index = pieceAt(l, m_preeditColumn);
    QTextLayout *layout = shape(m_preeditLine, l, index);
    const Piece &p = l.pieces[size_t(index)];
    const int at = m_preeditColumn - p.start + preeditCursor;
    const QTextLine row = layout->lineForTextPosition(at);
    const qreal x = row.isValid() ? row.cursorToX(at) : 0;
    return m_wrapWidth > 0 ? x : p.left + x;
}

// ---- Changes ----

void TextViewLayout::dropPreeditPiece()
{
    if (m_preeditLine < 0)
        return;
    if (auto it = m_lines.find(m_preeditLine); it != m_lines.end()) {
        Line &l = it->second;
        l.pieces[size_t(pieceAt(l, m_preeditColumn))].layout.reset();
    }
}

void TextViewLayout::setPreedit(int line, int column, const QString &text,
                                const QList<QTextLayout::FormatRange> &formats)
{
    dropPreeditPiece();
    m_preedit = text;
    m_preeditFormats = formats;
    m_preeditLine = text.isEmpty() ? -1 : line;
    m_preeditColumn = column;
    dropPreeditPiece();
}

void TextViewLayout::noteWidth(int line, qreal width)
{
    if (m_widths.empty())
        m_widths.assign(size_t(m_store.lineCount()), 0);
    float &stored = m_widths[size_t(line)];
    if (m_widest >= 0 && width > m_widest)
        m_widest = width;
    else if (m_widest >= 0 && stored >= m_widest && width < stored)
        m_widest = -1;
    stored = float(width);
}

qreal TextViewLayout::widest()
{
    if (m_widest < 0)
        m_widest = m_widths.empty() ? 0 : *std::max_element(m_widths.begin(), m_widths.end());
    return m_widest;
}

void TextViewLayout::linesReplaced(int first, int last, int count)
{
    const int delta = count - (last - first + 1);
    std::map<int, Line> kept;
    for (auto &[line, l] : m_lines) {
        if (line < first)
            kept.emplace(line, std::move(l));
        else if (line > last)
            kept.emplace(line + delta, std::move(l));
    }
    m_lines = std::move(kept);
    if (!m_widths.empty()) {
        const auto from = m_widths.begin() + first;
        const auto to = m_widths.begin() + last + 1;
        if (m_widest >= 0 && std::find_if(from, to, [this](float w) { return w >= m_widest; }) != to)
            m_widest = -1;
        m_widths.insert(m_widths.erase(from, to), size_t(count), 0.0f);
    }
    if (m_preeditLine >= first && m_preeditLine <= last)
        setPreedit(-1, 0, QString(), {});
    else if (m_preeditLine > last)
        m_preeditLine += delta;
}

void TextViewLayout::lineEdited(int line, int column, int removed, int added)
{
    if (m_preeditLine == line)
        setPreedit(-1, 0, QString(), {});
    const auto it = m_lines.find(line);
    if (it == m_lines.end())
        return;
    Line &l = it->second;
    if (l.pieces.size() <= 1 || m_store.lineLength(line) <= LongLine) {
        // Laid out again when asked; its width stays until then, so that the
        // horizontal range does not shrink and grow back at each keystroke.
        m_lines.erase(it);
        return;
    }
    // Only the pieces that held the removed text are cut again; those after
    // them move by the change.
    const int first = pieceAt(l, column);
    const int last = pieceAt(l, std::max(column, column + removed - 1));
    const int delta = added - removed;
    const int from = l.pieces[size_t(first)].start;
    const int to = l.pieces[size_t(last)].start + l.pieces[size_t(last)].length + delta;
    const int oldEnd = l.pieces[size_t(last)].top + l.pieces[size_t(last)].rows;
    const int oldRows = oldEnd - l.pieces[size_t(first)].top;
    std::vector<Piece> fresh;
    split(line, from, to, fresh);
    int rows = 0;
    for (const Piece &p : fresh)
        rows += p.rows;
    for (auto p = l.pieces.begin() + last + 1; p != l.pieces.end(); ++p)
        p->start += delta;
    const auto at = l.pieces.erase(l.pieces.begin() + first, l.pieces.begin() + last + 1);
    l.pieces.insert(at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    place(l);
    if (m_wrapWidth > 0 && rows != oldRows && m_rowsMoved)
        m_rowsMoved(line, oldEnd, rows - oldRows);
    if (m_wrapWidth <= 0)
        noteWidth(line, l.width);
}

void TextViewLayout::keepOnly(int first, int last)
{
    m_lines.erase(m_lines.begin(), m_lines.lower_bound(first));
    m_lines.erase(m_lines.upper_bound(last), m_lines.end());
    // A long line keeps the layouts of the pieces near those drawn last.
    for (auto &[line, l] : m_lines) {
        if (l.pieces.size() <= 1 || l.drawnFirst < 0)
            continue;
        for (int i = 0; i < int(l.pieces.size()); ++i)
            if (i < l.drawnFirst - KeptPieces || i > l.drawnLast + KeptPieces)
                l.pieces[size_t(i)].layout.reset();
    }
}

void TextViewLayout::clear()
{
    m_lines.clear();
    m_widths.clear();
    m_widest = -1;
}

void TextViewLayout::invalidateFormats(int first, int last)
{
    auto begin = first < 0 ? m_lines.begin() : m_lines.lower_bound(first);
    auto end = last < 0 ? m_lines.end() : m_lines.upper_bound(last);
    for (auto it = begin; it != end; ++it)
        for (Piece &p : it->second.pieces)
            p.layout.reset();
}
