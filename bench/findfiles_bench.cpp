// Find in files over a site of 1,000 pages totalling 100 MB (generated
// pages, UTF-8 with CR LF, a few matches in each): the whole search on a
// worker thread, and how soon the first page with matches reaches the
// caller ("first_ms"). The files are read once before timing, as a second
// search finds them in the system's cache.
#include "pagegenerator.h"

#include "core/findfiles/filesearch.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <thread>

namespace {

constexpr int PageCount = 1000;
constexpr qsizetype PageBytes = 100 * 1000;

const QTemporaryDir &site()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        const QString page = generatePage(PageBytes);
        for (int i = 0; i < PageCount; ++i) {
            const QString folder = dir.filePath(QStringLiteral("rubrique%1").arg(i / 100));
            QDir().mkpath(folder);
            QFile file(folder + QStringLiteral("/page%1.htm").arg(i, 4, 10, QLatin1Char('0')));
            file.open(QIODevice::WriteOnly);
            // Every tenth page holds the searched word.
            QString text = page;
            if (i % 10 == 3)
                text.insert(text.size() / 2, QStringLiteral("<b>Tessaline</b>"));
            file.write(text.toUtf8());
        }
        return true;
    }();
    Q_UNUSED(made);
    return dir;
}

void search(benchmark::State &state, const QString &pattern, bool regex)
{
    FindInFilesRequest request;
    request.folder = site().path();
    request.pattern = pattern;
    request.options.regex = regex;
    std::atomic_bool cancelled = false;
    findInFiles(request, cancelled, [](const FileResult &) {}); // warm the cache
    double first = 0;
    qsizetype matches = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        qint64 firstNs = -1;
        FindInFilesSummary summary;
        // On a worker, as the window runs it.
        std::thread worker([&] {
            summary = findInFiles(request, cancelled, [&](const FileResult &) {
                if (firstNs < 0)
                    firstNs = clock.nsecsElapsed();
            });
        });
        worker.join();
        first = double(firstNs) / 1e6;
        matches = summary.matches;
    }
    state.counters["first_ms"] = first;
    state.counters["matches"] = double(matches);
    state.SetBytesProcessed(state.iterations() * PageCount * PageBytes);
}

void BM_FindInFilesText(benchmark::State &state)
{
    search(state, QStringLiteral("tessaline"), false);
}
BENCHMARK(BM_FindInFilesText)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_FindInFilesExpression(benchmark::State &state)
{
    search(state, QStringLiteral("<b>(t\\w+)</b>"), true);
}
BENCHMARK(BM_FindInFilesExpression)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
