#include "ui/shell/benchhook.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Runs the event loop for a while, letting it sleep when it has nothing to
// do, as the program's own loop does.
void spin(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

TEST(BenchmarkHook, ReportsOnceAtTheFirstIdleMomentAfterThePaint)
{
    struct Case
    {
        const char *name;
        qint64 startOffsetMs; // start given this long before now; negative: none given
        qint64 atLeastMs;
    };
    const Case cases[] = {{"start_given", 5000, 5000}, {"start_at_install", -1, 0}};
    for (const Case &c : cases) {
        QWidget window;
        window.resize(200, 100);
        QList<qint64> reports;
        const qint64 start = c.startOffsetMs >= 0 ? QDateTime::currentMSecsSinceEpoch() - c.startOffsetMs : -1;
        watchFirstIdlePaint(&window, start, [&](qint64 elapsed) { reports << elapsed; });

        spin(50);
        EXPECT_TRUE(reports.isEmpty()) << c.name << ": reported before the window was painted";

        window.show();
        spin(200);
        window.update();
        spin(100);
        ASSERT_EQ(reports.size(), 1) << c.name;
        EXPECT_GE(reports.first(), c.atLeastMs) << c.name;
        EXPECT_LT(reports.first(), c.atLeastMs + 60000) << c.name;
    }
}
