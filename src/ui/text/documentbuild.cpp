#include "ui/text/documentbuild.h"

#include "ui/text/pageloading.h"

#include <QCoreApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

namespace {

void post(QObject *context, std::function<void()> done)
{
    // A posted call: it is dropped if context goes before it is delivered.
    QMetaObject::invokeMethod(context, std::move(done), Qt::QueuedConnection);
}

} // namespace

DocumentBuild::DocumentBuild(QString text)
    : m_text(std::move(text))
    , m_worker([this] { build(); })
{}

DocumentBuild::~DocumentBuild()
{
    m_cancel = true;
    if (m_worker.joinable())
        m_worker.join();
}

void DocumentBuild::build()
{
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document.get());
    // Slices that end after a line break split the lines as one insert of
    // the whole text would, and let a cancel stop the work soon.
    for (qsizetype from = 0; from < m_text.size() && !m_cancel;) {
        const qsizetype end = PageLoading::partEnd(m_text, from, PageLoading::PartSize);
        // A view of the slice: the document copies it into its own buffer.
        cursor.insertText(QString::fromRawData(m_text.constData() + from, end - from));
        from = end;
    }
    cursor = QTextCursor();
    if (m_cancel)
        return; // the document goes with this thread's frame
    document->moveToThread(QCoreApplication::instance()->thread());
    const std::lock_guard lock(m_mutex);
    m_document = std::move(document);
    m_done = true;
    if (m_context)
        post(m_context, std::move(m_whenDone));
}

bool DocumentBuild::isDone() const
{
    const std::lock_guard lock(m_mutex);
    return m_done;
}

void DocumentBuild::whenDone(QObject *context, std::function<void()> done)
{
    const std::lock_guard lock(m_mutex);
    if (m_done) {
        post(context, std::move(done));
        return;
    }
    m_context = context;
    m_whenDone = std::move(done);
}

std::unique_ptr<QTextDocument> DocumentBuild::take()
{
    if (m_worker.joinable())
        m_worker.join();
    const std::lock_guard lock(m_mutex);
    return std::move(m_document);
}
