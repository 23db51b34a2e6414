#include "ui/shell/backgroundthread.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QThread>

#include <sys/resource.h>

namespace {

// The threads' nice value (on Linux each thread has its own).
constexpr int LowerPriority = 10;

QHash<QByteArray, QObject *> &threads()
{
    static QHash<QByteArray, QObject *> contexts;
    return contexts;
}

void stopAll()
{
    for (QObject *context : std::as_const(threads())) {
        QThread *thread = context->thread();
        QMetaObject::invokeMethod(
            context, [context] { delete context; }, Qt::BlockingQueuedConnection);
        thread->quit();
        thread->wait();
        delete thread;
    }
    threads().clear();
}

} // namespace

QObject *backgroundThread(const char *name)
{
    QObject *&context = threads()[QByteArray(name)];
    if (context)
        return context;
    if (threads().size() == 1)
        qAddPostRoutine(stopAll);
    auto *thread = new QThread;
    thread->setObjectName(QString::fromLatin1(name));
    context = new QObject;
    context->moveToThread(thread);
    thread->start();
#ifdef Q_OS_LINUX
    // Elsewhere this call would lower the whole program.
    QMetaObject::invokeMethod(context, [] { setpriority(PRIO_PROCESS, 0, LowerPriority); });
#endif
    return context;
}
