#pragma once

#include <QList>
#include <QString>

class LineStore;

// One message of the HTML check, placed in the page's own counting: line
// and column start at 0, the column counts the line's characters as the
// editor does (UTF-16 units).
struct HtmlProblem
{
    enum class Severity { Warning, Error };

    int line = 0;
    int column = 0;
    Severity severity = Severity::Warning;
    QString text;

    bool operator==(const HtmlProblem &) const = default;
};

// What libtidy made of a page: its warnings and errors in page order, and
// the HTML version it checked the page against ("HTML5", "HTML 4.01
// Strict"...).
struct HtmlCheck
{
    QList<HtmlProblem> problems;
    // Problems beyond the limit asked for: counted, not kept.
    qsizetype omitted = 0;
    qsizetype errors = 0;
    QString htmlVersion;

    bool hasErrors() const { return errors > 0; }
};

// Problems a panel keeps for one page; more only make the list unreadable.
inline constexpr qsizetype MaxShownProblems = 10000;

// Runs libtidy over the page's lines (read as UTF-8, messages in French
// where libtidy has them) and reads back its diagnostics. Nothing is written
// anywhere: libtidy only parses. Safe on any thread; concurrent calls take
// turns, as libtidy's language is one setting for the whole process.
HtmlCheck checkHtml(const LineStore &page, qsizetype maxProblems = MaxShownProblems);

// The page column of libtidy's 1-based column on a line: libtidy counts
// code points and skips control characters other than tab (a tab counts
// one, as the check asks). Clamped to the line's end.
int pageColumn(QStringView line, int tidyColumn);

// "file:line:column: message", line and column from 1, as compilers write
// their diagnostics; the message carries its severity.
QString problemLine(const QString &file, const HtmlProblem &problem);
// "Erreur : text" or "Avertissement : text".
QString problemText(const HtmlProblem &problem);
