#include "ui/text/pageloading.h"

#include "core/text/documenttext.h"
#include "ui/text/documentbuild.h"
#include "ui/text/editorwidget.h"

#include <QTextDocument>

namespace {

int g_inProgress = 0;

} // namespace

PageLoading::PageLoading(EditorWidget *editor, std::unique_ptr<DocumentBuild> build)
    : QObject(editor)
    , m_editor(editor)
    , m_build(std::move(build))
    , m_wasReadOnly(editor->isReadOnly())
{
    ++g_inProgress;
    m_editor->setReadOnly(true);
    m_build->whenDone(this, [this] { finish(); });
}

PageLoading::~PageLoading()
{
    // The editor may be going away: it is not touched here. The worker
    // stops before this object does.
    m_build.reset();
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

void PageLoading::finish()
{
    if (m_done)
        return;
    // Marked first: whatever the editor's signals start meanwhile finds the
    // page whole.
    m_done = true;
    --g_inProgress;
    std::unique_ptr<QTextDocument> whole = m_build->take();
    m_build.reset();
    m_editor->adoptDocument(std::move(whole));
    m_editor->setReadOnly(m_wasReadOnly);
    deleteLater();
}
