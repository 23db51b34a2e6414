// Speed of the whole-text passes on generated pages, against a plain copy of
// the same text as the reference.
#include "core/text/search.h"
#include "core/wholetext/bytepasses.h"
#include "core/wholetext/compaction.h"
#include "core/wholetext/entities.h"
#include "pagegenerator.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

constexpr qsizetype Megabyte = 1024 * 1024;

const QString &page(qsizetype megabytes)
{
    static std::map<qsizetype, QString> pages;
    auto it = pages.find(megabytes);
    if (it == pages.end())
        it = pages.emplace(megabytes, generatePage(megabytes * Megabyte)).first;
    return it->second;
}

// The same page with its characters already turned into entities: what the
// back conversion meets.
const QString &entityPage(qsizetype megabytes)
{
    static std::map<qsizetype, QString> pages;
    auto it = pages.find(megabytes);
    if (it == pages.end())
        it = pages.emplace(megabytes, charactersToEntities(page(megabytes)).text).first;
    return it->second;
}

void finish(benchmark::State &state, const QString &input)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.size()) * int64_t(sizeof(QChar)));
    state.counters["chars"] = double(input.size());
}

void MemoryCopy(benchmark::State &state)
{
    const QString &input = page(state.range(0));
    for (auto _ : state) {
        QString copy(input.constData(), input.size());
        benchmark::DoNotOptimize(copy.data());
    }
    finish(state, input);
}

void ToEntities(benchmark::State &state)
{
    const QString &input = page(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(charactersToEntities(input));
    finish(state, input);
}

void FromEntities(benchmark::State &state)
{
    const QString &input = entityPage(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(entitiesToCharacters(input));
    finish(state, input);
}

void EntityPageCopy(benchmark::State &state)
{
    const QString &input = entityPage(state.range(0));
    for (auto _ : state) {
        QString copy(input.constData(), input.size());
        benchmark::DoNotOptimize(copy.data());
    }
    finish(state, input);
}

void Compaction(benchmark::State &state)
{
    const QString &input = page(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(compactTags(input));
    finish(state, input);
}

void ReplaceAllExact(benchmark::State &state)
{
    const QString &input = page(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(replaceAllInText(input, 0, u"été", u"hiver", SearchOptions{true, false}));
    finish(state, input);
}

void ReplaceAllAnyCaseWholeWord(benchmark::State &state)
{
    const QString &input = page(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(replaceAllInText(input, 0, u"td", u"TH", SearchOptions{false, true}));
    finish(state, input);
}

// The passes of the batch mode over a page file's bytes (UTF-8, CR LF), with
// the scan that sorts the page, the output streamed in pieces to a sink that
// drops them.
void bytePass(benchmark::State &state, BytePass pass, const QString &text)
{
    const QByteArray file = text.toUtf8();
    class Drop : public ByteSink
    {
    public:
        bool take(QByteArrayView piece) override
        {
            benchmark::DoNotOptimize(piece.data());
            return true;
        }
    } drop;
    for (auto _ : state) {
        const ByteScan scan = scanPageBytes(file);
        benchmark::DoNotOptimize(streamBytePass(pass, file, scan, drop));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}

void ByteScanOnly(benchmark::State &state)
{
    const QByteArray file = page(state.range(0)).toUtf8();
    for (auto _ : state)
        benchmark::DoNotOptimize(scanPageBytes(file));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}

void BytesToEntities(benchmark::State &state)
{
    bytePass(state, BytePass::ToEntities, page(state.range(0)));
}

void BytesFromEntities(benchmark::State &state)
{
    bytePass(state, BytePass::FromEntities, entityPage(state.range(0)));
}

void BytesCompaction(benchmark::State &state)
{
    bytePass(state, BytePass::Compact, page(state.range(0)));
}

} // namespace

BENCHMARK(ByteScanOnly)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BytesToEntities)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BytesFromEntities)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BytesCompaction)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(MemoryCopy)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(ToEntities)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(EntityPageCopy)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(FromEntities)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(Compaction)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAllExact)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAllAnyCaseWholeWord)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
