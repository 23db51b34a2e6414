#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QObject;
class QTextDocument;

// A page's text put into a new QTextDocument on a worker thread: one block
// per line is what opening a large page costs, and it need not hold up the
// window. The editor takes the document over once it is built (see
// PageLoading). Created and used in the GUI thread, once a QGuiApplication
// exists (a document needs the application's font).
class DocumentBuild
{
public:
    explicit DocumentBuild(QString text);
    // Stops the worker at its next slice of text and waits for it.
    ~DocumentBuild();
    DocumentBuild(const DocumentBuild &) = delete;
    DocumentBuild &operator=(const DocumentBuild &) = delete;

    const QString &text() const { return m_text; }
    bool isDone() const;
    // Calls done from context's event loop once the document is built, at
    // the next turn of it when that is already so. One call at most.
    void whenDone(QObject *context, std::function<void()> done);
    // Waits for the document and hands it over; it belongs to the GUI
    // thread, without a layout and without an undo history.
    std::unique_ptr<QTextDocument> take();

private:
    void build();

    const QString m_text;
    std::atomic<bool> m_cancel{false};
    mutable std::mutex m_mutex;
    bool m_done = false;
    QObject *m_context = nullptr;
    std::function<void()> m_whenDone;
    std::unique_ptr<QTextDocument> m_document;
    std::thread m_worker;
};
