#include "core/frameset/framesetwriter.h"

#include "core/markup/editorstate.h"
#include "core/markup/elementselection.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QChar Q = u'"';

QString quoted(const QString &name, const QString &value)
{
    return u' ' + name + u'=' + Q + value + Q;
}

// A straight cut through a region: the size of its first part in slots and
// that part's share of the region in whole percent.
struct Cut
{
    int size = 0;
    int percent = 0;
    explicit operator bool() const { return size > 0; }
};

// The region of columns a .. b - 1 and rows c .. d - 1, seen either way
// round: along() walks across the cut direction, so one search serves
// columns and rows.
class RegionView
{
public:
    RegionView(const SlotGrid &grid, bool columns, int a, int b, int c, int d)
        : m_grid(grid)
        , m_columns(columns)
        , m_from(columns ? a : c)
        , m_to(columns ? b : d)
        , m_lineFrom(columns ? c : a)
        , m_lineTo(columns ? d : b)
    {}

    // The first cut, left to right (top to bottom), that every line of the
    // region meets on a frame edge.
    Cut find() const
    {
        const int size = m_to - m_from;
        int k = 0;
        int pos = m_from;
        for (;;) {
            // The candidates are the far edges of the frames of the first line.
            if (pos >= m_to)
                return {};
            const int step = span(pos, m_lineFrom);
            k += step;
            pos += step;
            if (k >= size)
                return {};
            // Every line is tested: a frame of a skipped line could cross
            // the cut and would be written in the wrong place.
            bool all = true;
            for (int line = m_lineFrom; line < m_lineTo && all; ++line)
                all = meets(line, k);
            if (all)
                return {k, k * 100 / size};
        }
    }

private:
    // The walk along one line from the region's edge lands exactly on k
    // without leaving the region. A slot covered from an earlier line adds 1.
    bool meets(int line, int k) const
    {
        int sum = 0;
        int pos = m_from;
        while (sum < k) {
            if (pos >= m_to)
                return false;
            const int step = span(pos, line);
            sum += step;
            pos += step;
        }
        return sum == k;
    }

    int span(int pos, int line) const
    {
        const int column = m_columns ? pos : line;
        const int row = m_columns ? line : pos;
        if (!m_grid.isOwner(column, row))
            return 1;
        return m_columns ? m_grid.colSpan(column, row) : m_grid.rowSpan(column, row);
    }

    const SlotGrid &m_grid;
    bool m_columns;
    int m_from;
    int m_to;
    int m_lineFrom;
    int m_lineTo;
};

class RegionWriter
{
public:
    RegionWriter(const FramesetLayout &layout, const FramesetAttributes &attributes, bool bodyIntoNoframes,
                 FramesetText &out)
        : m_layout(layout)
        , m_grid(layout.grid())
        , m_attributes(attributes)
        , m_bodyIntoNoframes(bodyIntoNoframes)
        , m_out(out)
    {}

    bool write(int a, int b, int c, int d, const QString &indent)
    {
        const bool outermost = indent.isEmpty();
        // A region always starts with a frame; anything else would drop it.
        if (!m_grid.isOwner(a, c))
            return false;
        const Cut cols = m_layout.columnCount() > 1 ? RegionView(m_grid, true, a, b, c, d).find() : Cut{};
        const Cut rows = m_layout.rowCount() > 1 ? RegionView(m_grid, false, a, b, c, d).find() : Cut{};
        if (!cols && !rows) {
            // One frame filling the region; several frames that no straight
            // cut separates cannot be written.
            if (outermost || m_grid.colSpan(a, c) != b - a || m_grid.rowSpan(a, c) != d - c)
                return false;
            line(FrameLine(m_layout.frame(a, c), indent));
            return true;
        }
        line(framesetLine(cols, rows, indent, outermost));
        const QString inner = indent + QStringLiteral("  ");
        bool ok = true;
        if (cols && rows) {
            const int k = a + cols.size;
            const int m = c + rows.size;
            ok = write(a, k, c, m, inner) && write(k, b, c, m, inner) && write(a, k, m, d, inner)
                 && write(k, b, m, d, inner);
        } else if (rows) {
            const int m = c + rows.size;
            ok = write(a, b, c, m, inner) && write(a, b, m, d, inner);
        } else {
            const int k = a + cols.size;
            ok = write(a, k, c, d, inner) && write(k, b, c, d, inner);
        }
        if (!ok)
            return false;
        if (outermost && m_attributes.NoFramesOption) {
            line(QStringLiteral("<NOFRAMES>") + CrLf);
            if (m_bodyIntoNoframes) {
                m_out.pieces.push_back({QString(), true});
                line(CrLf);
            }
            line(QStringLiteral("</NOFRAMES>") + CrLf);
        }
        line(indent + QStringLiteral("</FRAMESET>") + CrLf);
        return true;
    }

private:
    void line(const QString &text) { m_out.pieces.push_back({text, false}); }

    QString framesetLine(const Cut &cols, const Cut &rows, const QString &indent, bool outermost) const
    {
        QString s = indent + QStringLiteral("<FRAMESET");
        if (cols)
            s += quoted(QStringLiteral("COLS"), QString::number(cols.percent) + QStringLiteral("%,*"));
        if (rows)
            s += quoted(QStringLiteral("ROWS"), QString::number(rows.percent) + QStringLiteral("%,*"));
        if (outermost && !m_attributes.onLoad.isEmpty())
            s += quoted(QStringLiteral("onLoad"), m_attributes.onLoad);
        if (outermost && !m_attributes.onUnload.isEmpty())
            s += quoted(QStringLiteral("onUnload"), m_attributes.onUnload);
        if (m_attributes.FrameSpacing != 2)
            s += quoted(QStringLiteral("FRAMESPACING"), QString::number(m_attributes.FrameSpacing));
        if (m_attributes.FramesetBorder != 8)
            s += quoted(QStringLiteral("BORDER"), QString::number(m_attributes.FramesetBorder));
        if (!m_attributes.FramesetFrameBorder)
            s += quoted(QStringLiteral("FRAMEBORDER"), QStringLiteral("no"));
        if (!m_attributes.FramesetBorderColor.isEmpty())
            s += quoted(QStringLiteral("BORDERCOLOR"), m_attributes.FramesetBorderColor);
        return s + u'>' + CrLf;
    }

    const FramesetLayout &m_layout;
    const SlotGrid &m_grid;
    const FramesetAttributes &m_attributes;
    bool m_bodyIntoNoframes;
    FramesetText &m_out;
};

} // namespace

QString FramesetText::joined() const
{
    QString s;
    for (const FramesetPiece &p : pieces)
        s += p.caretAfterBody ? QStringLiteral("[BODY]") : p.text;
    return s;
}

QString FrameLine(const FrameRec &frame, const QString &indent)
{
    QString s = indent + QStringLiteral("<FRAME");
    if (!frame.Name.isEmpty())
        s += quoted(QStringLiteral("NAME"), frame.Name);
    if (!frame.Src.isEmpty())
        s += quoted(QStringLiteral("SRC"), frame.Src);
    if (frame.Scrolling == 1)
        s += quoted(QStringLiteral("SCROLLING"), QStringLiteral("yes"));
    else if (frame.Scrolling == 2)
        s += quoted(QStringLiteral("SCROLLING"), QStringLiteral("no"));
    if (frame.MarginWidth != 10)
        s += quoted(QStringLiteral("MARGINWIDTH"), QString::number(frame.MarginWidth));
    if (frame.MarginHeight != 16)
        s += quoted(QStringLiteral("MARGINHEIGHT"), QString::number(frame.MarginHeight));
    if (frame.NoResize)
        s += QStringLiteral(" NORESIZE");
    if (!frame.FrameBorder)
        s += quoted(QStringLiteral("FRAMEBORDER"), QStringLiteral("no"));
    if (!frame.BorderColor.isEmpty())
        s += quoted(QStringLiteral("BORDERCOLOR"), frame.BorderColor);
    return s + u'>' + CrLf;
}

FramesetText FramesetLines(const FramesetLayout &layout, const FramesetAttributes &attributes, bool bodyIntoNoframes)
{
    FramesetText out;
    RegionWriter writer(layout, attributes, bodyIntoNoframes, out);
    if (!writer.write(0, layout.columnCount(), 0, layout.rowCount(), QString())) {
        out.pieces.clear();
        out.failure = 48;
    }
    return out;
}

FramesetCheck CheckFramesetLayout(const FramesetLayout &layout)
{
    const std::vector<SlotPos> owners = layout.owners();
    for (const SlotPos &p : owners) {
        const FrameRec &f = layout.frame(p.column, p.row);
        if (f.Name.isEmpty() || f.Src.isEmpty())
            return FramesetCheck::MissingNameOrSource;
    }
    return owners.size() == 1 ? FramesetCheck::SingleFrame : FramesetCheck::Ready;
}

int WriteFrameset(DocumentText &text, UndoHistory &undo, EditorState &state, Prompts &prompts,
                  const FramesetLayout &layout, const FramesetAttributes &attributes)
{
    // The cut is found before the page is touched: a layout that cannot be
    // written leaves no empty undo step behind.
    if (!FramesetLines(layout, attributes, false).ok()) {
        prompts.warning(msg(48));
        return 48;
    }

    const bool hasBody =
        DocumentContains(text, QStringLiteral("<BODY")) && DocumentContains(text, QStringLiteral("</BODY>"));
    int bodyEnd = -1;
    if (hasBody && attributes.NoFramesOption) {
        if (prompts.askYesNo(msg(50)) && MoveCaretToTag(text, QStringLiteral("<BODY"), true)) {
            // The body's end is looked for after its start, so that a stray
            // "</BODY>" earlier in the page cannot tear the page apart.
            const int start = text.selectionStart();
            const int end = text.text().indexOf(QLatin1String("</BODY>"), start, Qt::CaseInsensitive);
            if (end >= 0)
                bodyEnd = end + 7;
        }
    } else if (hasBody) {
        MoveCaretToTag(text, QStringLiteral("<BODY"), true);
        prompts.information(msg(51));
    }

    const FramesetText lines = FramesetLines(layout, attributes, bodyEnd >= 0);
    if (bodyEnd >= 0) {
        // The frameset wraps the old body: one wrap step whose start text
        // ends with "<NOFRAMES>" and whose end text closes NOFRAMES and the
        // outermost FRAMESET.
        QString before;
        QString after;
        bool past = false;
        for (const FramesetPiece &p : lines.pieces) {
            if (p.caretAfterBody)
                past = true;
            else
                (past ? after : before) += p.text;
        }
        const int start = text.selectionStart();
        text.setSelectionStart(start);
        text.setSelectionLength(bodyEnd - start);
        InsertTagPair(text, undo, state, before, after, true, true, ukWrap);
        text.setSelectionStart(text.selectionStart() + text.selectionLength() + int(after.size()));
        text.setSelectionLength(0);
        return 0;
    }
    InsertTagPair(text, undo, state, QString(), QString(), true, false, ukInsert);
    for (const FramesetPiece &p : lines.pieces)
        InsertTagPair(text, undo, state, p.text, QString(), false, true, ukInsert);
    return 0;
}
