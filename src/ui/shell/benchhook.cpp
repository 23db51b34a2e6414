#include "ui/shell/benchhook.h"

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
// be about to sleep: the moment the user sees the page and can type.
class IdlePaintWatch : public QObject
{
public:
    IdlePaintWatch(QWidget *window, qint64 startEpochMs, std::function<void(qint64)> finished)
        : QObject(window)
        , m_window(window)
        , m_start(startEpochMs >= 0 ? startEpochMs : QDateTime::currentMSecsSinceEpoch())
        , m_finished(std::move(finished))
    {
        qApp->installEventFilter(this);
        if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdlePaintWatch::idle);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_painted && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->window() == m_window)
                m_painted = true;
        }
        return false;
    }

private:
    void idle()
    {
        if (!m_painted || m_done)
            return;
        m_done = true;
        qApp->removeEventFilter(this);
        disconnect(QAbstractEventDispatcher::instance(), nullptr, this, nullptr);
        m_finished(QDateTime::currentMSecsSinceEpoch() - m_start);
    }

    QPointer<QWidget> m_window;
    qint64 m_start;
    std::function<void(qint64)> m_finished;
    bool m_painted = false;
    bool m_done = false;
};

} // namespace

void watchFirstIdlePaint(QWidget *window, qint64 startEpochMs, std::function<void(qint64 elapsedMs)> finished)
{
    new IdlePaintWatch(window, startEpochMs, std::move(finished));
}

void installBenchmarkQuitHook(QWidget *window)
{
    if (qgetenv("TESSALINE_BENCH_QUIT") != "1" || !window)
        return;
    bool ok = false;
    const qint64 startNs = qgetenv("TESSALINE_BENCH_T0").toLongLong(&ok);
    watchFirstIdlePaint(window, ok ? startNs / 1000000 : -1, [](qint64 elapsedMs) {
        std::fprintf(stderr, "TESSALINE_BENCH %lld\n", static_cast<long long>(elapsedMs));
        std::fflush(stderr);
        std::fflush(stdout);
        // The measure ends here: ending the process directly keeps the exit
        // path (questions, settings written) out of the run.
        std::_Exit(0);
    });
}
