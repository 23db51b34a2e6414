#include "ui/text/pageloading.h"

#include "core/text/documenttext.h"
#include "ui/text/editorwidget.h"

#include <QTimer>

namespace {

int g_inProgress = 0;

} // namespace

PageLoading::PageLoading(EditorWidget *editor, QString text, qsizetype from)
    : QObject(editor)
    , m_editor(editor)
    , m_text(std::move(text))
    , m_next(from)
    , m_wasReadOnly(editor->isReadOnly())
{
    ++g_inProgress;
    m_editor->setReadOnly(true);
    QTimer::singleShot(0, this, &PageLoading::appendPart);
}

PageLoading::~PageLoading()
{
    // The editor may be going away: it is not touched here.
    if (!m_done)
        --g_inProgress;
}

int PageLoading::inProgress()
{
    return g_inProgress;
}

qsizetype PageLoading::partEnd(const QString &text, qsizetype from, qsizetype size)
{
    const qsizetype end = from + size;
    if (end >= text.size())
        return text.size();
    for (qsizetype i = end; i > from; --i) {
        const QChar c = text.at(i - 1);
        if (c == u'\r')
            return text.at(i) == u'\n' ? i + 1 : i;
        if (isLineBreakMark(c))
            return i;
    }
    return text.at(end - 1).isHighSurrogate() ? end - 1 : end;
}

void PageLoading::appendThrough(qsizetype end)
{
    const QString part = QStringView(m_text).sliced(m_next, end - m_next).toString();
    // Moved on first: should anything ask for the rest (finish()) while
    // this part goes in, it follows this part.
    m_next = end;
    m_editor->appendPart(part);
}

void PageLoading::appendPart()
{
    if (m_done)
        return;
    appendThrough(partEnd(m_text, m_next, PartSize));
    if (m_next < m_text.size())
        QTimer::singleShot(0, this, &PageLoading::appendPart);
    else
        complete();
}

void PageLoading::finish()
{
    if (m_done)
        return;
    while (m_next < m_text.size())
        appendThrough(m_text.size());
    complete();
}

void PageLoading::complete()
{
    if (m_done)
        return;
    m_done = true;
    --g_inProgress;
    m_text = QString();
    m_editor->setReadOnly(m_wasReadOnly);
    deleteLater();
}
