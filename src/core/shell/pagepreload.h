#pragma once

#include "core/text/linestore.h"
#include "core/text/pagefile.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// What reading a page ahead gave: the read's result, its text already split
// into the editor's lines (the page's own text is dropped then).
struct PreloadedPage
{
    std::optional<LoadedPage> page;
    LineStore lines;
};

// The first page named on the command line, read and split into lines on a
// worker thread while the application and its window are being built: the
// page is on screen sooner. Opening that file takes this instead of reading
// it again; the rules of the read are the same.
class PagePreload
{
public:
    // Starts reading path (absolute).
    explicit PagePreload(QString path);
    // Waits for the reader.
    ~PagePreload();
    PagePreload(const PagePreload &) = delete;
    PagePreload &operator=(const PagePreload &) = delete;

    // The first argument that names a page, made absolute as the window
    // opens it; nothing when there is none.
    static std::unique_ptr<PagePreload> forArguments(const QStringList &arguments);

    const QString &path() const { return m_path; }
    // Waits for the read and hands its result over (once).
    PreloadedPage take();

private:
    void read();

    const QString m_path;
    PreloadedPage m_result;
    std::thread m_reader;
};
