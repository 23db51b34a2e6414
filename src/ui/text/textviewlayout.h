#pragma once

#include "core/text/linestore.h"

#include <QFont>
#include <QList>
#include <QTextLayout>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class LineFormats;
class QPainter;

// The laid-out lines of a TextView. A line is laid out with QTextLayout when
// the view first asks for it and kept until the line changes or a setting
// does. Every row of a line is as high as the font's rows, so that a line's
// height is its row count times rowHeight(). Line coordinates start at the
// line's top left corner.
//
// A long line (minified markup may be a whole page) is cut into pieces of a
// few thousand characters, each laid out on its own and only when it shows or
// a caret or a click reaches it. With word wrap a piece starts a new row; a
// piece not laid out yet counts the rows its characters' widths would fill,
// and the count becomes exact when it is laid out (rowsMoved then tells the
// view). Without wrap the pieces sit side by side, each after the width of
// the one before (estimated the same way until laid out).
//
// Input-method preedit text shows inside the piece of the caret's line that
// holds its column; columns given to and returned by the mapping functions
// are store columns, whatever preedit text sits among them.
class TextViewLayout
{
public:
    explicit TextViewLayout(const LineStore &store);
    ~TextViewLayout();

    // Each setting drops every layout when it changes.
    void setFont(const QFont &font);
    const QFont &font() const { return m_font; }
    void setTabStopDistance(qreal distance);
    // Rows wrap at width; 0 or less: no wrap.
    void setWrapWidth(qreal width);
    qreal wrapWidth() const { return m_wrapWidth; }
    // Colours, laid into each piece as it is laid out (not owned). Later
    // sources overlay earlier ones where their ranges meet.
    void setFormats(std::vector<LineFormats *> formats);

    int rowHeight() const { return m_rowHeight; }
    int rowCount(int line);
    // Rows of a line as far as they are known without laying it out: 1 for a
    // short line not laid out.
    int knownRowCount(int line) const;
    std::size_t cachedCount() const { return m_lines.size(); }
    // Row of the line that holds column (the row a caret there shows on).
    int rowOf(int line, int column);
    // First and end column of a row.
    int rowStart(int line, int row);
    int rowEnd(int line, int row);

    // Caret x of column in its row.
    qreal xOf(int line, int column);
    // Column nearest to x in row.
    int columnAt(int line, int row, qreal x);
    // Next and previous caret stops (graphemes or words) and visual
    // left/right moves; a result equal to column means the line's edge.
    int nextColumn(int line, int column, QTextLayout::CursorMode mode);
    int previousColumn(int line, int column, QTextLayout::CursorMode mode);
    int leftColumn(int line, int column);
    int rightColumn(int line, int column);

    // Draws the rows of line that meet clip, its top left corner at origin,
    // with the columns from..to (store columns) in the selection format.
    void draw(QPainter *painter, int line, QPointF origin, const QRectF &clip, int selectedFrom, int selectedTo,
              const QTextCharFormat &selected);
    // A caret of width at column; preeditCursor counts into the preedit
    // text that starts there.
    void drawCursor(QPainter *painter, int line, QPointF origin, int column, int width, int preeditCursor = 0);
    // Caret x of the place preeditCursor characters into the preedit text.
    qreal preeditX(int preeditCursor);

    // Preedit text at column of line (empty text: none); formats relative to
    // the preedit text.
    void setPreedit(int line, int column, const QString &text, const QList<QTextLayout::FormatRange> &formats);
    bool hasPreedit() const { return !m_preedit.isEmpty(); }
    int preeditLine() const { return m_preeditLine; }
    int preeditColumn() const { return m_preeditColumn; }

    // An edit replaced lines first..last of the old text by count lines.
    void linesReplaced(int first, int last, int count);
    // An edit within one line: removed characters at column became added
    // ones. The pieces of a long line away from the edit are kept.
    void lineEdited(int line, int column, int removed, int added);
    // Drops the layouts of lines outside first..last, and of the pieces of
    // long lines that were not drawn last.
    void keepOnly(int first, int last);
    void clear();
    // Lines whose colours must be asked for again (-1: to the end).
    void invalidateFormats(int first, int last);

    // Pieces laid out so far (a short line is one piece), and the widest
    // line still in the text among those measured (no wrap).
    qint64 laidOutCount() const { return m_laidOut; }
    qreal widest();

    // Called when laying a piece out changed its row count: the rows of line
    // from fromRow on moved by delta.
    void setRowsMoved(std::function<void(int line, int fromRow, int delta)> moved) { m_rowsMoved = std::move(moved); }

private:
    struct Piece
    {
        int start = 0;
        int length = 0;
        std::unique_ptr<QTextLayout> layout;
        int rows = 1;
        qreal width = 0;
        bool measured = false; // rows and width exact
        int top = 0;           // first row (wrap) in the line
        qreal left = 0;        // x (no wrap) in the line
    };
    struct Line
    {
        std::vector<Piece> pieces;
        int rows = 1;
        qreal width = 0;
        // The pieces drawn last (-1: none).
        int drawnFirst = -1;
        int drawnLast = -1;
    };
    Line &entry(int line);
    void split(int line, int from, int to, std::vector<Piece> &out);
    void place(Line &l);
    QTextLayout *shape(int line, Line &l, int index);
    int pieceAt(const Line &l, int column) const;
    // The piece and its row that hold row of the line, laid out.
    std::pair<int, int> locate(int line, Line &l, int row);
    int pieceAtX(const Line &l, qreal x) const;
    int visualMove(int line, int column, bool left);
    qreal estimatedWidth(QStringView text);
    int estimatedRows(qreal width) const;
    int toLayout(int line, const Piece &p, int local) const;
    int fromLayout(int line, const Piece &p, int layoutColumn) const;
    void dropPreeditPiece();
    void noteWidth(int line, qreal width);

    const LineStore &m_store;
    std::vector<LineFormats *> m_formats;
    QFont m_font;
    qreal m_tabStop = 80;
    qreal m_wrapWidth = 0;
    int m_rowHeight = 1;
    std::map<int, Line> m_lines;
    std::vector<float> m_advances;
    qreal m_averageAdvance = 8;
    qint64 m_laidOut = 0;
    // Widths of the lines measured, by line (0: not measured), and their
    // maximum when known.
    std::vector<float> m_widths;
    qreal m_widest = -1;
    int m_preeditLine = -1;
    int m_preeditColumn = 0;
    QString m_preedit;
    QList<QTextLayout::FormatRange> m_preeditFormats;
    std::function<void(int, int, int)> m_rowsMoved;
};
