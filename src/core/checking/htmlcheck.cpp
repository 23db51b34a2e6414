#include "core/checking/htmlcheck.h"

#include "core/messages/messages.h"
#include "core/text/linestore.h"

#include <QMutex>
#include <QThread>

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// libtidy's parser recurses once per open element, so a deeply nested page
// overflows an ordinary thread's stack; it runs on a thread of its own with
// this much room (address space only: pages are used as the depth needs).
constexpr uint TidyStackBytes = 1024u * 1024u * 1024u;

// What the message callback gathers while libtidy runs.
struct Collector
{
    const LineStore *page;
    qsizetype maxProblems;
    HtmlCheck result;
};

HtmlProblem::Severity severityOf(TidyReportLevel level)
{
    return level == TidyWarning ? HtmlProblem::Severity::Warning : HtmlProblem::Severity::Error;
}

bool isProblem(TidyReportLevel level)
{
    return level == TidyWarning || level == TidyError || level == TidyBadDocument || level == TidyFatal;
}

// The version libtidy names in its "content looks like" report.
QString versionArgument(TidyMessage message)
{
    TidyIterator it = tidyGetMessageArguments(message);
    while (it) {
        TidyMessageArgument argument = tidyGetNextMessageArgument(message, &it);
        if (tidyGetArgType(message, &argument) == tidyFormatType_STRING)
            return QString::fromUtf8(tidyGetArgValueString(message, &argument));
    }
    return {};
}

Bool TIDY_CALL collect(TidyMessage message)
{
    auto *c = static_cast<Collector *>(tidyGetAppData(tidyGetMessageDoc(message)));
    const TidyReportLevel level = tidyGetMessageLevel(message);
    if (tidyGetMessageCode(message) == STRING_CONTENT_LOOKS)
        c->result.htmlVersion = versionArgument(message);
    if (!isProblem(level))
        return no;
    const HtmlProblem::Severity severity = severityOf(level);
    if (severity == HtmlProblem::Severity::Error)
        ++c->result.errors;
    if (c->result.problems.size() >= c->maxProblems) {
        ++c->result.omitted;
        return no;
    }
    // Lines match one for one: the page goes in with LF breaks and its lines
    // hold no other break libtidy knows. Reports on the whole document
    // (line 0) go to its start.
    const int lastLine = c->page->lineCount() - 1;
    const int line = std::clamp(tidyGetMessageLine(message) - 1, 0, lastLine);
    const int column = pageColumn(c->page->line(line), tidyGetMessageColumn(message));
    c->result.problems.append({line, column, severity, QString::fromUtf8(tidyGetMessage(message)).simplified()});
    return no; // nothing is printed
}

QByteArray utf8Lines(const LineStore &page)
{
    QByteArray bytes;
    bytes.reserve(page.length() + page.length() / 8);
    for (int i = 0; i < page.lineCount(); ++i) {
        if (i > 0)
            bytes.append('\n');
        bytes.append(page.line(i).toUtf8());
    }
    return bytes;
}

void runTidy(Collector &collector)
{
    // The language is process-wide in libtidy, and messages are worded as
    // they are made: one check at a time.
    static QMutex tidyTurn;
    QMutexLocker turn(&tidyTurn);
    tidySetLanguage("fr");

    QByteArray bytes = utf8Lines(*collector.page);
    TidyDoc doc = tidyCreate();
    tidySetAppData(doc, &collector);
    tidySetMessageCallback(doc, collect);
    // Whatever the callback lets through would go here, never to a stream.
    TidyBuffer unused;
    tidyBufInit(&unused);
    tidySetErrorBuffer(doc, &unused);
    tidySetInCharEncoding(doc, "utf8");
    // A tab counts one column, as in the page.
    tidyOptSetInt(doc, TidyTabSize, 1);
    tidyOptSetBool(doc, TidyShowWarnings, yes);

    TidyBuffer input;
    tidyBufInit(&input);
    // The whole buffer, NUL characters included (a C string would stop at one).
    tidyBufAttach(&input, reinterpret_cast<byte *>(bytes.data()), uint(bytes.size()));
    // As "tidy -e": parse, repair (attribute checks happen there) and the
    // diagnostics that name the version; the repaired page is never saved.
    if (tidyParseBuffer(doc, &input) >= 0 && tidyCleanAndRepair(doc) >= 0)
        tidyRunDiagnostics(doc);
    if (collector.result.htmlVersion.isEmpty()) {
        const int version = tidyDetectedHtmlVersion(doc);
        if (version > 0)
            collector.result.htmlVersion =
                QStringLiteral("HTML %1").arg(version >= 500 ? QStringLiteral("5") : QString::number(version / 100.0));
    }
    tidyBufDetach(&input);
    tidyRelease(doc);
    tidyBufFree(&unused);
}

} // namespace

HtmlCheck checkHtml(const LineStore &page, qsizetype maxProblems)
{
    Collector collector{&page, maxProblems, {}};
    std::unique_ptr<QThread> thread(QThread::create([&collector] { runTidy(collector); }));
    thread->setStackSize(TidyStackBytes);
    thread->start();
    thread->wait();
    // libtidy reports as it goes, the repairs after the parse: in page order.
    std::stable_sort(collector.result.problems.begin(), collector.result.problems.end(),
                     [](const HtmlProblem &a, const HtmlProblem &b) {
                         return std::pair(a.line, a.column) < std::pair(b.line, b.column);
                     });
    return std::move(collector.result);
}

int pageColumn(QStringView line, int tidyColumn)
{
    const auto counted = [](QChar c) { return c.unicode() >= 32 || c == u'\t'; };
    int column = 1;
    qsizetype i = 0;
    while (i < line.size()) {
        const QChar c = line.at(i);
        if (!counted(c)) {
            ++i;
            continue;
        }
        if (column >= tidyColumn)
            break;
        ++column;
        i += c.isHighSurrogate() && i + 1 < line.size() && line.at(i + 1).isLowSurrogate() ? 2 : 1;
    }
    return int(i);
}

QString problemText(const HtmlProblem &problem)
{
    return msg(problem.severity == HtmlProblem::Severity::Error ? 9700 : 9701) + QStringLiteral(" : ") + problem.text;
}

QString problemLine(const QString &file, const HtmlProblem &problem)
{
    return QStringLiteral("%1:%2:%3: %4")
        .arg(file)
        .arg(problem.line + 1)
        .arg(problem.column + 1)
        .arg(problemText(problem));
}
