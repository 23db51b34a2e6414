#include "core/table/tablereader.h"

#include "core/attributes/attributereaders.h"
#include "core/attributes/starttag.h"
#include "core/table/tablefields.h"
#include "core/table/tablelosses.h"
#include "core/table/tablemodel.h"

#include <algorithm>
#include <array>

namespace {

// Attribute texts with their line breaks and tabs as blanks, so that an
// attribute on the next line of a tag is found like any other.
QString flattened(QString text)
{
    for (QChar &ch : text) {
        if (ch == u'\r' || ch == u'\n' || ch == u'\t' || ch == u'\f')
            ch = u' ';
    }
    return text;
}

// The first start tag name (as "<TD") in [from, to) that is not the start
// of a longer name ("<THEAD" is no "<TH"); -1 when there is none.
qsizetype findTag(const QString &text, QLatin1String tag, qsizetype from, qsizetype to)
{
    // Searching only up to `to` keeps the scan linear: a tag that is absent
    // from a row is not looked for in the rest of the table.
    const QStringView range = QStringView(text).first(std::min(to, text.size()));
    while (from < to) {
        const qsizetype at = range.indexOf(tag, from, Qt::CaseInsensitive);
        if (at < 0 || at + tag.size() > to)
            return -1;
        const qsizetype next = at + tag.size();
        if (next >= text.size() || !text.at(next).isLetterOrNumber())
            return at;
        from = at + 1;
    }
    return -1;
}

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n' || ch == u'\f';
}

// Markup layout only: blanks, tabs and line breaks. A no-break space is
// content (a cell holding just one is not empty).
bool isLayout(QStringView text)
{
    return std::all_of(text.begin(), text.end(), isBlank);
}

// Whether rest starts with tag: a tag written with its ">" is an end tag,
// which may hold blanks before the ">" ("</TD\r\n>"); one written without
// is a start tag name ("<TH" is not "<THEAD").
bool startsWithTag(QStringView rest, QLatin1String tag)
{
    if (tag.back() != u'>') {
        return rest.startsWith(tag, Qt::CaseInsensitive)
               && (rest.size() == tag.size() || !rest.at(tag.size()).isLetterOrNumber());
    }
    const QLatin1String name = tag.chopped(1);
    if (!rest.startsWith(name, Qt::CaseInsensitive))
        return false;
    qsizetype i = name.size();
    while (i < rest.size() && isBlank(rest.at(i)))
        ++i;
    return i < rest.size() && rest.at(i) == u'>';
}

// The earliest of several tags in [from, to); to when none is there. One
// pass up to the tag found, so that reading stays linear.
qsizetype firstOf(const QString &text, std::initializer_list<QLatin1String> tags, qsizetype from, qsizetype to)
{
    const QStringView view = QStringView(text).first(std::min(to, text.size()));
    for (qsizetype at = view.indexOf(u'<', from); at >= 0; at = view.indexOf(u'<', at + 1)) {
        for (QLatin1String tag : tags) {
            if (startsWithTag(view.mid(at), tag))
                return at;
        }
    }
    return to;
}

// Just after the end tag at `at` when there is one, else at.
qsizetype afterEndTag(const QString &text, qsizetype at, QLatin1String tag)
{
    return startsWithTag(QStringView(text).mid(at), tag) ? text.indexOf(u'>', at) + 1 : at;
}

// Tags that end a row: its "</TR>" or, when that was left out, the next
// row or row group.
const std::initializer_list<QLatin1String> RowEndTags = {
    QLatin1String("</TR>"),  QLatin1String("<TR"),     QLatin1String("<THEAD"),  QLatin1String("<TBODY"),
    QLatin1String("<TFOOT"), QLatin1String("</THEAD"), QLatin1String("</TBODY"), QLatin1String("</TFOOT")};

// Tags that end a caption whose "</CAPTION>" was left out: any other part
// of the table.
const std::initializer_list<QLatin1String> CaptionEndTags = {
    QLatin1String("</CAPTION>"), QLatin1String("<TR"),     QLatin1String("<TD"),     QLatin1String("<TH"),
    QLatin1String("<THEAD"),     QLatin1String("<TBODY"),  QLatin1String("<TFOOT"),  QLatin1String("<COL"),
    QLatin1String("<COLGROUP"),  QLatin1String("</TR>"),   QLatin1String("</TD>"),   QLatin1String("</TH>"),
    QLatin1String("</THEAD"),    QLatin1String("</TBODY"), QLatin1String("</TFOOT"), QLatin1String("</TABLE>")};

void blank(QString &text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i)
        text[i] = u' ';
}

// The text as the structure scan sees it: comments blanked out (their tags
// are no cells), each character at its place. A comment that is never
// closed is left as text, so that it cannot hide the end of the table.
QString withoutComments(const QString &text)
{
    QString scan = text;
    qsizetype from = 0;
    while ((from = scan.indexOf(QLatin1String("<!--"), from)) >= 0) {
        const qsizetype end = scan.indexOf(QLatin1String("-->"), from + 4);
        if (end < 0)
            break;
        blank(scan, from, end + 3);
        from = end + 3;
    }
    return scan;
}

// A cell's lines: LF (or CR LF) ends a line, TAB becomes 16 blanks. The line
// break after the start tag and the indentation before the end tag are the
// markup's layout and go too; every other line stays, blank or not.
QStringList contentLines(const QString &content)
{
    // A lone CR (pages hold CR LF, but a reader takes any text) ends a line
    // too: dropping it could join "</TD" and ">" into an end tag.
    QString text = content;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(u'\t', QString(16, u' '));
    QStringList lines = text.split(u'\n');
    if (isLayout(lines.first()))
        lines.removeFirst();
    if (!lines.isEmpty() && isLayout(lines.last()))
        lines.removeLast();
    return lines;
}

QString colour(const QString &name, const QString &text)
{
    return AttrText(name, text).left(8);
}

int spanValue(const QString &name, const QString &text, int maximum)
{
    bool ok = false;
    const int value = AttrText(name, text).toInt(&ok);
    return ok ? std::clamp(value, 1, maximum) : 1;
}

struct Failure
{
    TableReadOutcome outcome;
};

} // namespace

int TableReadMessage(TableReadOutcome outcome)
{
    switch (outcome) {
    case TableReadOutcome::Read:
        return 0;
    case TableReadOutcome::TooManyColumns:
        return 58;
    case TableReadOutcome::TooManyRows:
        return 59;
    case TableReadOutcome::Unreadable:
        return 90;
    }
    return 90;
}

class TableReader
{
public:
    TableReader(const QString &text, TableModel &model)
        : m_text(text)
        , m_scan(withoutComments(text))
        , m_model(model)
    {}

    TableReading read()
    {
        TableReading result;
        m_model.attrs = TableAttrs{};
        m_model.NewTable();
        m_model.m_grid.clear();
        m_model.createFirstCell();
        m_read.fill(false);
        readCaption();
        readTableTag();
        try {
            readRows();
            finish();
        } catch (const Failure &failure) {
            result.outcome = failure.outcome;
        }
        if (result.outcome != TableReadOutcome::Read) {
            m_model.NewTable();
            return result;
        }
        result.losses = m_losses.items();
        m_model.checkInvariant();
        return result;
    }

private:
    void fail(TableReadOutcome outcome) { throw Failure{outcome}; }

    void readTableTag()
    {
        TableAttrs &a = m_model.attrs;
        const qsizetype start = findTag(m_scan, QLatin1String("<TABLE"), 0, m_scan.size());
        m_bodyStart = 0;
        m_bodyEnd = m_scan.size();
        if (start >= 0) {
            const qsizetype close = StartTagEnd(m_scan, start);
            const qsizetype tagEnd = close < 0 ? m_scan.size() : close;
            const QString tag = flattened(m_scan.mid(start + 6, tagEnd - start - 6));
            const qsizetype length = tag.endsWith(u'>') ? tag.size() - 1 : tag.size();
            a.TableExtra =
                m_losses.checkAttributes(TableLosses::Tag::Table, tag.left(length), m_text.mid(start + 6, length));
            readTableAttributes(tag, a);
            m_bodyStart = tagEnd;
        }
        // The table ends at its first end tag, start tag or not.
        m_bodyEnd = firstOf(m_scan, {QLatin1String("</TABLE>")}, m_bodyStart, m_scan.size());
    }

    static void readTableAttributes(const QString &tag, TableAttrs &a)
    {
        const QString border = AttrText(QStringLiteral("BORDER="), tag);
        a.BorderText = CorrectBorderText(border.isEmpty() ? QStringLiteral("0") : border);
        const QString padding = AttrText(QStringLiteral("CELLPADDING="), tag);
        a.PaddingText = CorrectPaddingText(padding.isEmpty() ? QStringLiteral("1") : padding);
        const QString spacing = AttrText(QStringLiteral("CELLSPACING="), tag);
        a.SpacingText = CorrectSpacingText(spacing.isEmpty() ? QStringLiteral("2") : spacing);

        // A size above the field's maximum is limited to it.
        const auto size = [&tag](const QString &name, bool &percent) {
            percent = AttrIsPercent(name, tag);
            const int value = std::min(AttrNumber(name, tag), SizeMaximum(percent));
            return CorrectSizeText(value > 0 ? QString::number(value) : QString(), percent);
        };
        a.WidthText = size(QStringLiteral("WIDTH="), a.WidthPercent);
        a.HeightText = size(QStringLiteral("HEIGHT="), a.HeightPercent);

        a.Align = KeywordWindow(QStringLiteral(" ALIGN="), tag).contains(u"RIGHT") ? 1 : 0;
        const int vAlign = VAlignKeyword(QStringLiteral("VALIGN="), tag);
        a.TableVAlign = qint8(vAlign == 3 ? 0 : vAlign);
        a.TableBackground = AttrText(QStringLiteral("BACKGROUND="), tag, true);
        a.TableBgColor = colour(QStringLiteral("BGCOLOR="), tag);
        a.TableBorderColor = colour(QStringLiteral("BORDERCOLOR="), tag);

        a.TableRules = 0;
        const QString rules = KeywordWindow(QStringLiteral("RULES="), tag, 7);
        const char *const ruleWords[] = {"NONE", "GROUPS", "ROWS", "COLS"};
        for (int i = 0; i < 4; ++i) {
            if (rules.contains(QLatin1String(ruleWords[i]))) {
                a.TableRules = qint8(i + 1);
                break;
            }
        }
        a.TableFrame = 0;
        const QString frame = KeywordWindow(QStringLiteral("FRAME="), tag, 7);
        const struct
        {
            const char *word;
            qint8 code;
        } frameWords[] = {{"VOID", 1}, {"ABOVE", 2},  {"BELOW", 3},  {"LHS", 5},
                          {"RHS", 6},  {"HSIDES", 4}, {"VSIDES", 7}, {"BOX", 8}};
        for (const auto &f : frameWords) {
            if (frame.contains(QLatin1String(f.word))) {
                a.TableFrame = f.code;
                break;
            }
        }
    }

    // The caption ends at its end tag or, when that was left out, at the
    // next part of the table. It is then blanked out of the scan: whatever
    // it holds is no row or cell, and no tag of the table ends inside it.
    // The first caption with a text is the table's; one without (nothing
    // for the designer to write) stays where it is, as markup it loses.
    void readCaption()
    {
        qsizetype start = -1;
        qsizetype end = -1;
        qsizetype close = -1;
        QString inner;
        for (qsizetype from = 0;; from = start + 8) {
            start = findTag(m_scan, QLatin1String("<CAPTION"), from, m_scan.size());
            if (start < 0)
                return;
            end = firstOf(m_scan, CaptionEndTags, start + 8, m_scan.size());
            inner = m_text.mid(start + 8, end - start - 8);
            // The ">" that ends the start tag, a quoted one not counted.
            close = StartTagEnd(QStringView(m_scan).first(end), start);
            close = close < 0 ? -1 : close - 1 - (start + 8);
            if (close >= 0 && !isLayout(QStringView(inner).mid(close + 1)))
                break;
            // Every later caption start before `end` has the same blank end.
            start = end - 8;
        }
        m_captionStart = start;
        m_captionEnd = afterEndTag(m_scan, end, QLatin1String("</CAPTION>"));
        const QString tag = flattened(m_scan.mid(start + 8, close));
        TableAttrs &a = m_model.attrs;
        a.CaptionExtra = m_losses.checkAttributes(TableLosses::Tag::Caption, tag, inner.left(close));
        a.CaptionMode = 0;
        a.CaptionAlign = 0;
        a.CaptionVAlign = 0;
        const QString align = KeywordWindow(QStringLiteral(" ALIGN="), tag);
        if (align.contains(u"RIGHT")) {
            a.CaptionMode = 1;
            a.CaptionAlign = 2;
        } else if (align.contains(u"LEFT")) {
            a.CaptionMode = 1;
            a.CaptionAlign = 1;
        } else if (align.contains(u"BOTTOM")) {
            a.CaptionAlign = 1;
        }
        if (tag.contains(QLatin1String("VALIGN="), Qt::CaseInsensitive)) {
            a.CaptionMode = 1;
            a.CaptionVAlign = KeywordWindow(QStringLiteral("VALIGN="), tag).contains(u"BOTTOM") ? 1 : 0;
        }
        a.CaptionText = inner.mid(close + 1);
        blank(m_scan, m_captionStart, m_captionEnd);
    }

    // A cell's content; a caption standing inside it is the table's caption
    // and moves out of the cell.
    QString cellContent(qsizetype from, qsizetype to) const
    {
        if (m_captionStart >= from && m_captionEnd <= to)
            return m_text.mid(from, m_captionStart - from) + m_text.mid(m_captionEnd, to - m_captionEnd);
        return m_text.mid(from, to - from);
    }

    // Text the reader passes over, the caption left out.
    void skipped(qsizetype from, qsizetype to)
    {
        if (from >= to)
            return;
        if (m_captionStart >= 0 && m_captionStart < to && m_captionEnd > from) {
            skipped(from, m_captionStart);
            skipped(m_captionEnd, to);
            return;
        }
        m_losses.checkSkipped(m_text.mid(from, to - from));
    }

    void readRows()
    {
        qsizetype pos = m_bodyStart;
        int r = 0;
        while (true) {
            const qsizetype rowTag = findTag(m_scan, QLatin1String("<TR"), pos, m_bodyEnd);
            skipped(pos, rowTag < 0 ? m_bodyEnd : rowTag);
            if (rowTag < 0)
                break;
            if (r > 0) {
                if (r >= TableModel::MaxRows)
                    fail(TableReadOutcome::TooManyRows);
                m_model.addRow();
            }
            const qsizetype close = StartTagEnd(m_scan, rowTag) - 1;
            if (close < 0 || close >= m_bodyEnd)
                fail(TableReadOutcome::Unreadable);
            const QString attributes = flattened(m_scan.mid(rowTag + 3, close - rowTag - 3));
            readRowAttributes(attributes, m_model.row(r));
            m_model.row(r).Extra =
                m_losses.checkAttributes(TableLosses::Tag::Row, attributes, m_text.mid(rowTag + 3, close - rowTag - 3));

            // A row ends at its "</TR>" or, when that was left out, at the
            // next row, row group or the end of the table.
            const qsizetype rowStart = close + 1;
            const qsizetype rowEnd = firstOf(m_scan, RowEndTags, rowStart, m_bodyEnd);
            readCells(r, rowStart, rowEnd);
            pos = afterEndTag(m_scan, rowEnd, QLatin1String("</TR>"));
            ++r;
        }
        m_model.m_rowCount = std::max(r, 1);
    }

    static void readRowAttributes(const QString &text, TableRowAttrs &row)
    {
        row.BgColor = colour(QStringLiteral("BGCOLOR="), text);
        row.BorderColor = colour(QStringLiteral("BORDERCOLOR="), text);
        row.VAlign = qint8(VAlignKeyword(QStringLiteral("VALIGN="), text));
        row.Align = qint8(RowAlignKeyword(QStringLiteral(" ALIGN="), text));
    }

    void readCells(int r, qsizetype from, qsizetype to)
    {
        SlotGrid &grid = m_model.m_grid;
        qsizetype pos = from;
        int c = 0;
        bool first = true;
        while (true) {
            const qsizetype start = firstOf(m_scan, {QLatin1String("<TD"), QLatin1String("<TH")}, pos, to);
            skipped(pos, start);
            if (start >= to)
                break;
            const bool header = m_scan.at(start + 2).toUpper() == u'H';

            if (r == 0) {
                if (!first) {
                    if (c >= TableModel::MaxColumns)
                        fail(TableReadOutcome::TooManyColumns);
                    m_model.addColumn();
                }
            } else {
                while (c < TableModel::MaxColumns && grid.isCovered(c, r))
                    ++c;
                if (c >= TableModel::MaxColumns)
                    fail(TableReadOutcome::Unreadable);
            }
            first = false;

            const qsizetype close = StartTagEnd(m_scan, start) - 1;
            if (close < 0 || close >= to)
                fail(TableReadOutcome::Unreadable);
            // A cell ends at its end tag or, when that was left out, at the
            // next cell or the end of the row.
            const QLatin1String endName = header ? QLatin1String("</TH>") : QLatin1String("</TD>");
            const qsizetype end = firstOf(m_scan, {endName, QLatin1String("<TD"), QLatin1String("<TH")}, close + 1, to);
            pos = afterEndTag(m_scan, end, endName);

            if (r > 0 && c >= m_model.m_colCount) {
                m_losses.cellBeyondColumns(r);
                ++c;
                continue;
            }

            const QString attributes = flattened(m_scan.mid(start + 3, close - start - 3));
            m_read[std::size_t(r * TableModel::MaxColumns + c)] = true;
            TableCell &cell = m_model.cell(c, r);
            cell = TableCell{};
            cell.Kind = header ? 1 : 2;
            readCellAttributes(attributes, cell);
            cell.Extra =
                m_losses.checkAttributes(TableLosses::Tag::Cell, attributes, m_text.mid(start + 3, close - start - 3));
            cell.Content = contentLines(cellContent(close + 1, end));

            const int s = c;
            int colSpan = spanValue(QStringLiteral("COLSPAN="), attributes, TableModel::MaxColumns);
            const int rowSpan = spanValue(QStringLiteral("ROWSPAN="), attributes, TableModel::MaxRows - r);
            for (int k = 1; k < colSpan; ++k) {
                if (r == 0) {
                    if (c + 1 >= TableModel::MaxColumns)
                        fail(TableReadOutcome::TooManyColumns);
                    m_model.addColumn();
                } else if (c + 1 >= m_model.m_colCount || grid.isCovered(c + 1, r)) {
                    // The span would leave the table or run into a cell from
                    // a row above: it stops here.
                    m_losses.spanCut(s, r);
                    colSpan = k;
                    break;
                }
                ++c;
                grid.setCovered(c, r);
                m_model.cell(c, r) = TableCell{};
            }
            grid.setSpans(s, r, colSpan, rowSpan);
            for (int rr = r + 1; rr < r + rowSpan; ++rr) {
                for (int cc = s; cc <= c; ++cc)
                    grid.setCovered(cc, rr);
            }
            ++c;
        }
        if (r == 0)
            m_model.m_colCount = std::max(c, 1);
    }

    static void readCellAttributes(const QString &text, TableCell &cell)
    {
        cell.BgColor = colour(QStringLiteral("BGCOLOR="), text);
        cell.BorderColor = colour(QStringLiteral("BORDERCOLOR="), text);
        cell.WidthPercent = AttrIsPercent(QStringLiteral("WIDTH="), text);
        cell.Width = std::max(AttrNumber(QStringLiteral("WIDTH="), text), 0);
        cell.HeightPercent = AttrIsPercent(QStringLiteral("HEIGHT="), text);
        cell.Height = std::max(AttrNumber(QStringLiteral("HEIGHT="), text), 0);
        cell.Background = AttrText(QStringLiteral("BACKGROUND="), text, true);
        cell.VAlign = qint8(VAlignKeyword(QStringLiteral("VALIGN="), text));
        const int align = CellAlignKeyword(QStringLiteral(" ALIGN="), text);
        cell.HAlign = qint8(align >= 0 ? align : (cell.Kind == 1 ? 2 : 0));
        // NOWRAP as an attribute of its own, not inside a picture's name.
        cell.NoWrap = tagHasWord(QStringLiteral("<TD") + text + u'>', u"NOWRAP");
    }

    // Spans end at the table's edges; everything outside the table is free
    // and covered slots hold no cell.
    void finish()
    {
        TableModel &m = m_model;
        SlotGrid &grid = m.m_grid;
        for (int r = 0; r < TableModel::MaxRows; ++r) {
            for (int c = 0; c < TableModel::MaxColumns; ++c) {
                if (c >= m.m_colCount || r >= m.m_rowCount) {
                    grid.setFree(c, r, SlotGrid::Unused);
                    m.cell(c, r) = TableCell{};
                } else if (grid.isOwner(c, r)) {
                    grid.setSpans(c, r, std::min<int>(grid.colSpan(c, r), m.m_colCount - c),
                                  std::min<int>(grid.rowSpan(c, r), m.m_rowCount - r));
                    m.cell(c, r).Selected = false;
                    // A row shorter than the table gets empty cells.
                    if (!m_read[std::size_t(r * TableModel::MaxColumns + c)])
                        m_losses.rowPadded(r);
                } else {
                    m.cell(c, r) = TableCell{};
                }
            }
        }
        for (int r = m.m_rowCount; r < TableModel::MaxRows; ++r)
            m.row(r) = TableRowAttrs{};
        if (!m.invariantBreach().isEmpty())
            fail(TableReadOutcome::Unreadable);
    }

    const QString &m_text;
    // m_text with comments and the caption blanked out, where the tags that
    // shape the table are looked for.
    QString m_scan;
    TableModel &m_model;
    // The slots that got a cell from the markup.
    std::array<bool, TableModel::MaxColumns * TableModel::MaxRows> m_read;
    TableLosses m_losses;
    qsizetype m_bodyStart = 0;
    qsizetype m_bodyEnd = 0;
    qsizetype m_captionStart = -1;
    qsizetype m_captionEnd = -1;
};

TableReading ReadTable(const QString &tableText, TableModel &model)
{
    return TableReader(tableText, model).read();
}
