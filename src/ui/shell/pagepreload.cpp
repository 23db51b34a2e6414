#include "ui/shell/pagepreload.h"

#include "core/shell/handoverprotocol.h"
#include "ui/text/pageloading.h"

#include <QFileInfo>
#include <QThread>

PagePreload::PagePreload(QString path)
    : m_path(std::move(path))
{
    // Qt takes the first thread that asks for its thread data as the main
    // thread: the caller (the main thread, perhaps before the application
    // exists) asks before the reader can.
    QThread::currentThread();
    m_reader = std::thread([this] { read(); });
}

PagePreload::~PagePreload()
{
    {
        const std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_changed.notify_all();
    if (m_reader.joinable())
        m_reader.join();
}

void PagePreload::read()
{
    m_result.page = loadPageAsRead(m_path);
    if (!m_result.page || m_result.page->text.size() <= PageLoading::PartedAbove)
        return;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_applicationReady || m_cancelled; });
    if (!m_cancelled)
        m_result.build = std::make_unique<DocumentBuild>(m_result.page->text);
}

void PagePreload::applicationReady()
{
    {
        const std::lock_guard lock(m_mutex);
        m_applicationReady = true;
    }
    m_changed.notify_all();
}

std::unique_ptr<PagePreload> PagePreload::forArguments(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (isDocumentFileName(argument))
            return std::make_unique<PagePreload>(QFileInfo(argument).absoluteFilePath());
    }
    return nullptr;
}

PreloadedPage PagePreload::take()
{
    applicationReady();
    if (m_reader.joinable())
        m_reader.join();
    return std::move(m_result);
}
