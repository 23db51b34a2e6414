#include "core/shell/pagepreload.h"

#include "core/shell/handoverprotocol.h"

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
    if (m_reader.joinable())
        m_reader.join();
}

void PagePreload::read()
{
    m_result.page = loadPageAsRead(m_path);
    if (!m_result.page)
        return;
    m_result.lines = LineStore(m_result.page->text);
    // The lines hold the text now: one copy of a large page, not two.
    m_result.page->text = QString();
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
    if (m_reader.joinable())
        m_reader.join();
    return std::move(m_result);
}
