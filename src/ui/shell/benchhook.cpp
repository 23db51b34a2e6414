#include "ui/shell/benchhook.h"

#include "ui/text/textview.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

// Watches the paint events of one window, then waits for the event loop to
// be about to sleep after the window, and the page when one is coming, were
// painted: the moment the user sees the page and can type. pageShown, when
// set, gets the time of the first paint of a page (an editor's text area)
// in the window, and the watch waits for it.
class IdlePaintWatch : public QObject
{
public:
    IdlePaintWatch(QWidget *window, qint64 startEpochMs, std::function<void(qint64)> finished,
                   std::function<void(qint64)> pageShown = {})
        : QObject(window)
        , m_window(window)
        , m_start(startEpochMs >= 0 ? startEpochMs : QDateTime::currentMSecsSinceEpoch())
        , m_finished(std::move(finished))
        , m_pageShown(std::move(pageShown))
    {
        qApp->installEventFilter(this);
        if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdlePaintWatch::idle);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->window() != m_window)
            return false;
        m_painted = true;
        auto *editor = qobject_cast<TextView *>(widget->parentWidget());
        if (m_pageShown && editor && widget == editor->viewport() && editor->store().length() > 0) {
            m_pageShown(QDateTime::currentMSecsSinceEpoch() - m_start);
            m_pageShown = {};
        }
        return false;
    }

private:
    void idle()
    {
        // A page opens in a later turn of the event loop than the window's
        // first paint: the window alone is not the end when a page comes.
        if (!m_painted || m_done || m_pageShown)
            return;
        m_done = true;
        qApp->removeEventFilter(this);
        disconnect(QAbstractEventDispatcher::instance(), nullptr, this, nullptr);
        m_finished(QDateTime::currentMSecsSinceEpoch() - m_start);
    }

    QPointer<QWidget> m_window;
    qint64 m_start;
    std::function<void(qint64)> m_finished;
    std::function<void(qint64)> m_pageShown;
    bool m_painted = false;
    bool m_done = false;
};

} // namespace

void watchFirstIdlePaint(QWidget *window, qint64 startEpochMs, std::function<void(qint64 elapsedMs)> finished)
{
    new IdlePaintWatch(window, startEpochMs, std::move(finished));
}

void installBenchmarkQuitHook(QWidget *window, bool pageExpected)
{
    if (qgetenv("TESSALINE_BENCH_QUIT") != "1" || !window)
        return;
    bool ok = false;
    const qint64 startNs = qgetenv("TESSALINE_BENCH_T0").toLongLong(&ok);
    const auto finished = [](qint64 elapsedMs) {
        std::fprintf(stderr, "TESSALINE_BENCH %lld\n", static_cast<long long>(elapsedMs));
        std::fflush(stderr);
        std::fflush(stdout);
        // The measure ends here: ending the process directly keeps the exit
        // path (questions, settings written) out of the run.
        std::_Exit(0);
    };
    const auto pageShown = [](qint64 elapsedMs) {
        std::fprintf(stderr, "TESSALINE_BENCH_FIRST %lld\n", static_cast<long long>(elapsedMs));
        std::fflush(stderr);
    };
    new IdlePaintWatch(window, ok ? startNs / 1000000 : -1, finished,
                       pageExpected ? std::function<void(qint64)>(pageShown) : std::function<void(qint64)>());
}
