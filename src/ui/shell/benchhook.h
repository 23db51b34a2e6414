#pragma once

#include <QtGlobal>

#include <functional>

class QWidget;

// Start-up measurement for bench/startup.sh. When the environment variable
// TESSALINE_BENCH_QUIT is "1", the program writes to standard error
//   TESSALINE_BENCH <milliseconds>
// once the frame window has been painted, with the page's text when
// pageExpected (a page named on the command line), and the event loop has
// nothing left to do, then ends at once (no exit questions, no settings
// written).
// The milliseconds count from TESSALINE_BENCH_T0 (nanoseconds since the
// epoch, set by the script just before the launch) when given, else from
// the moment the hook was installed. Before that, the first paint of a
// page's text writes TESSALINE_BENCH_FIRST <milliseconds>. Does nothing
// otherwise.
void installBenchmarkQuitHook(QWidget *window, bool pageExpected);

// The same watch with the end left to the caller: finished runs once, with
// the milliseconds since startEpochMs (or since the call when it is
// negative), at the first idle moment after window was painted.
void watchFirstIdlePaint(QWidget *window, qint64 startEpochMs, std::function<void(qint64 elapsedMs)> finished);
