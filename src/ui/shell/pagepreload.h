#pragma once

#include "core/text/pagefile.h"
#include "ui/text/documentbuild.h"

#include <QString>
#include <QStringList>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// What reading a page ahead gave: the read's result, and for a large page
// the build of its document, started already.
struct PreloadedPage
{
    std::optional<LoadedPage> page;
    std::unique_ptr<DocumentBuild> build;
};

// The first page named on the command line, read on a worker thread while
// the main window is being built, its document built at once when it is
// large: the page is on screen sooner. Opening that file takes this instead
// of reading it again; the rules of the read are the same.
class PagePreload
{
public:
    // Starts reading path (absolute). The document of a large page is built
    // once applicationReady() is called.
    explicit PagePreload(QString path);
    ~PagePreload();
    PagePreload(const PagePreload &) = delete;
    PagePreload &operator=(const PagePreload &) = delete;

    // The first argument that names a page, made absolute as the window
    // opens it; nothing when there is none.
    static std::unique_ptr<PagePreload> forArguments(const QStringList &arguments);

    // The QGuiApplication exists now (a document needs its font).
    void applicationReady();

    const QString &path() const { return m_path; }
    // Waits for the read and hands its result over (once).
    PreloadedPage take();

private:
    void read();

    const QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_applicationReady = false;
    bool m_cancelled = false;
    PreloadedPage m_result;
    std::thread m_reader;
};
