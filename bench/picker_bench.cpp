// The graphic file picker: listing a folder of 5,000 small pictures in the
// dialog until its list is complete (with the longest single turn of the
// event loop, which says whether the window stayed responsive), and
// previewing a 6000x4000 JPEG at the preview's size against decoding it
// whole.
#include "core/markup/editorstate.h"
#include "core/settings/settings.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/images/picture.h"
#include "ui/picker/picturepicker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

namespace {

constexpr int PictureCount = 5000;

// CPU time of the calling (GUI) thread, in milliseconds: on a loaded
// machine the wall time of one event-loop turn also counts other programs.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Just enough of a frame window for the dialog: no page, silent prompts.
class BenchHost : public DocumentHost, public Prompts
{
public:
    DocumentText *activeText() override { return nullptr; }
    UndoHistory *activeUndo() override { return nullptr; }
    EditorState &editorState() override { return m_state; }
    Settings &settings() override { return m_settings; }
    Prompts &prompts() override { return *this; }
    QWidget *window() override { return nullptr; }
    void UpdateCommandStates() override {}
    bool askYesNo(const QString &) override { return false; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    void information(const QString &) override {}
    void warning(const QString &) override {}
    void error(const QString &) override {}

private:
    EditorState m_state;
    Settings m_settings;
};

const QTemporaryDir &pictureFolder()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        QImage image(16, 16, QImage::Format_RGB32);
        for (int i = 0; i < PictureCount; ++i) {
            image.fill(QColor::fromHsv(i % 360, 200, 200));
            image.save(dir.filePath(QStringLiteral("image%1.png").arg(i, 4, 10, QLatin1Char('0'))));
        }
        made = true;
    }
    return dir;
}

const QString &bigJpeg()
{
    static QTemporaryDir dir;
    static QString file;
    if (file.isEmpty()) {
        QImage image(6000, 4000, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 6000, 4000);
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(1, Qt::yellow);
        painter.fillRect(image.rect(), gradient);
        for (int i = 0; i < 200; ++i)
            painter.fillRect(i * 29, (i * 53) % 3800, 180, 180, QColor::fromHsv(i % 360, 255, 255));
        painter.end();
        file = dir.filePath(QStringLiteral("grande.jpg"));
        image.save(file, "jpeg", 90);
    }
    return file;
}

void BM_ListFolderOf5000Pictures(benchmark::State &state)
{
    const QString folder = pictureFolder().path();
    BenchHost host;
    DialogServices services(host);
    qint64 longestTurn = 0;
    double longestTurnCpu = 0;
    for (auto _ : state) {
        TOuvrirFrm dialog(services, QStringLiteral("Fichiers PNG (*.png) |*.png"), folder);
        dialog.show();
        QElapsedTimer waited;
        waited.start();
        while (dialog.fileCount() < PictureCount && waited.elapsed() < 60000) {
            QElapsedTimer turn;
            turn.start();
            const double cpu = threadCpuMs();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            longestTurn = std::max(longestTurn, turn.elapsed());
            longestTurnCpu = std::max(longestTurnCpu, threadCpuMs() - cpu);
        }
        if (dialog.fileCount() != PictureCount)
            state.SkipWithError("the list did not complete");
    }
    state.counters["files"] = PictureCount;
    state.counters["longest_turn_ms"] = double(longestTurn);
    state.counters["longest_turn_cpu_ms"] = longestTurnCpu;
}
BENCHMARK(BM_ListFolderOf5000Pictures)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PreviewBigJpeg(benchmark::State &state)
{
    const QString &file = bigJpeg();
    const QSize box = state.range(0) ? QSize(196, 196) : QSize();
    for (auto _ : state) {
        const LoadedPicture picture = LoadPicture(file, box);
        if (!picture.ok())
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(picture.image.constBits());
    }
    state.SetLabel(state.range(0) ? "scaled to the preview (196x196)" : "full size 6000x4000");
}
BENCHMARK(BM_PreviewBigJpeg)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
