#include "core/table/tablereader.h"

#include "core/attributes/attributereaders.h"
#include "core/table/tablefields.h"
#include "core/table/tablelosses.h"
#include "core/table/tablemodel.h"

#include <algorithm>

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
    while (from < to) {
        const qsizetype at = text.indexOf(tag, from, Qt::CaseInsensitive);
        if (at < 0 || at + tag.size() > to)
            return -1;
        const qsizetype next = at + tag.size();
        if (next >= text.size() || !text.at(next).isLetterOrNumber())
            return at;
        from = at + 1;
    }
    return -1;
}

qsizetype findIn(const QString &text, QLatin1String what, qsizetype from, qsizetype to)
{
    const qsizetype at = text.indexOf(what, from, Qt::CaseInsensitive);
    return at < 0 || at + what.size() > to ? -1 : at;
}

// A cell's lines: LF ends a line, CR goes, TAB becomes 16 blanks. The line
// break after the start tag and the indentation before the end tag are the
// markup's layout and go too; every other line stays, blank or not.
QStringList contentLines(const QString &content)
{
    QString text = content;
    text.remove(u'\r');
    text.replace(u'\t', QString(16, u' '));
    QStringList lines = text.split(u'\n');
    if (lines.first().trimmed().isEmpty())
        lines.removeFirst();
    if (!lines.isEmpty() && lines.last().trimmed().isEmpty())
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
        , m_model(model)
    {}

    TableReading read()
    {
        TableReading result;
        m_model.attrs = TableAttrs{};
        m_model.NewTable();
        m_model.m_grid.clear();
        m_model.createFirstCell();
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
        const qsizetype start = findTag(m_text, QLatin1String("<TABLE"), 0, m_text.size());
        m_bodyStart = 0;
        m_bodyEnd = m_text.size();
        if (start >= 0) {
            const qsizetype close = m_text.indexOf(u'>', start);
            const qsizetype tagEnd = close < 0 ? m_text.size() : close + 1;
            const QString tag = flattened(m_text.mid(start + 6, tagEnd - start - 6));
            m_losses.checkAttributes(TableLosses::Tag::Table, tag.endsWith(u'>') ? tag.chopped(1) : tag);
            readTableAttributes(tag, a);
            m_bodyStart = tagEnd;
            const qsizetype end = findIn(m_text, QLatin1String("</TABLE>"), m_bodyStart, m_text.size());
            if (end >= 0)
                m_bodyEnd = end;
        }
        readCaption();
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

    void readCaption()
    {
        const qsizetype start = findTag(m_text, QLatin1String("<CAPTION"), 0, m_text.size());
        if (start < 0)
            return;
        const qsizetype end = findIn(m_text, QLatin1String("</CAPTION>"), start, m_text.size());
        if (end < 0)
            return;
        m_captionStart = start;
        m_captionEnd = end + 10;
        const QString inner = m_text.mid(start + 8, end - start - 8);
        const qsizetype close = inner.indexOf(u'>');
        const QString tag = flattened(close < 0 ? inner : inner.left(close));
        m_losses.checkAttributes(TableLosses::Tag::Caption, tag);

        TableAttrs &a = m_model.attrs;
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
        a.CaptionText = close < 0 ? QString() : inner.mid(close + 1);
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
            const qsizetype rowTag = findTag(m_text, QLatin1String("<TR"), pos, m_bodyEnd);
            skipped(pos, rowTag < 0 ? m_bodyEnd : rowTag);
            if (rowTag < 0)
                break;
            if (r > 0) {
                if (r >= TableModel::MaxRows)
                    fail(TableReadOutcome::TooManyRows);
                m_model.addRow();
            }
            const qsizetype close = m_text.indexOf(u'>', rowTag);
            if (close < 0 || close >= m_bodyEnd)
                fail(TableReadOutcome::Unreadable);
            const QString attributes = flattened(m_text.mid(rowTag + 3, close - rowTag - 3));
            m_losses.checkAttributes(TableLosses::Tag::Row, attributes);
            readRowAttributes(attributes, m_model.row(r));

            const qsizetype rowStart = close + 1;
            qsizetype rowEnd = m_bodyEnd;
            qsizetype next = m_bodyEnd;
            const qsizetype endTag = findIn(m_text, QLatin1String("</TR>"), rowStart, m_bodyEnd);
            const qsizetype nextRow = findTag(m_text, QLatin1String("<TR"), rowStart, m_bodyEnd);
            if (endTag >= 0 && (nextRow < 0 || endTag < nextRow)) {
                rowEnd = endTag;
                next = endTag + 5;
            } else if (nextRow >= 0) {
                rowEnd = next = nextRow;
            }
            readCells(r, rowStart, rowEnd);
            pos = next;
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
            const qsizetype td = findTag(m_text, QLatin1String("<TD"), pos, to);
            const qsizetype th = findTag(m_text, QLatin1String("<TH"), pos, to);
            const qsizetype start = td < 0 ? th : (th < 0 ? td : std::min(td, th));
            skipped(pos, start < 0 ? to : start);
            if (start < 0)
                break;
            const bool header = start == th;

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

            const qsizetype close = m_text.indexOf(u'>', start);
            if (close < 0 || close >= to)
                fail(TableReadOutcome::Unreadable);
            const QLatin1String endName = header ? QLatin1String("</TH>") : QLatin1String("</TD>");
            const qsizetype end = findIn(m_text, endName, close + 1, to);
            if (end < 0)
                fail(TableReadOutcome::Unreadable);
            pos = end + 5;

            if (r > 0 && c >= m_model.m_colCount) {
                m_losses.cellBeyondColumns(r);
                ++c;
                continue;
            }

            const QString attributes = flattened(m_text.mid(start + 3, close - start - 3));
            m_losses.checkAttributes(TableLosses::Tag::Cell, attributes);
            TableCell &cell = m_model.cell(c, r);
            cell = TableCell{};
            cell.Kind = header ? 1 : 2;
            readCellAttributes(attributes, cell);
            cell.Content = contentLines(m_text.mid(close + 1, end - close - 1));

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
        const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
        cell.NoWrap = std::any_of(words.begin(), words.end(), [](const QString &w) {
            return w.compare(QLatin1String("NOWRAP"), Qt::CaseInsensitive) == 0
                   || w.startsWith(QLatin1String("NOWRAP="), Qt::CaseInsensitive);
        });
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
    TableModel &m_model;
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
