// The image map editor on a 6000 x 4000 picture: opening the editor on a
// selected map (picture loaded, window painted), and one step of a drag of
// the current zone (the mouse move handled and the zone's old and new
// places repainted), against a repaint of the whole visible sketch.
#include "core/markup/editorstate.h"
#include "core/settings/settings.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/imagemap/mapdialog.h"
#include "ui/imagemap/mapsketch.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Silent : Prompts
{
    bool askYesNo(const QString &) override { return true; }
    Answer askYesNoCancel(const QString &) override { return Answer::Yes; }
    void information(const QString &) override {}
    void warning(const QString &) override {}
    void error(const QString &) override {}
};

struct NoDocument : DocumentHost
{
    DocumentText *activeText() override { return nullptr; }
    UndoHistory *activeUndo() override { return nullptr; }
    EditorState &editorState() override { return state; }
    Settings &settings() override { return values; }
    Prompts &prompts() override { return silent; }
    QWidget *window() override { return nullptr; }
    void UpdateCommandStates() override {}
    EditorState state;
    Settings values;
    Silent silent;
};

// A folder with a page and the big picture in both formats, made once.
const QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        QImage image(6000, 4000, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 6000, 4000);
        gradient.setColorAt(0, QColor(40, 90, 160));
        gradient.setColorAt(1, QColor(240, 220, 160));
        painter.fillRect(image.rect(), gradient);
        for (int i = 0; i < 200; ++i)
            painter.fillRect((i * 997) % 5800, (i * 613) % 3800, 120, 90, QColor::fromHsv((i * 37) % 360, 200, 200));
        painter.end();
        return image.save(dir.filePath(QStringLiteral("grand.jpg")), "JPEG", 90)
               && image.save(dir.filePath(QStringLiteral("grand.png")), "PNG");
    }();
    if (!made) {
        std::fprintf(stderr, "cannot write the pictures\n");
        std::abort();
    }
    return dir;
}

QString selectedMap(const QString &picture)
{
    QString map = QStringLiteral("<MAP NAME=\"grand\">\r\n");
    for (int i = 0; i < 41; ++i)
        map += QStringLiteral("  <AREA SHAPE=\"RECT\" COORDS=\"%1,%2,%3,%4\" NOHREF>\r\n")
                   .arg(i * 140)
                   .arg(i * 90)
                   .arg(i * 140 + 120)
                   .arg(i * 90 + 80);
    return map + QStringLiteral("</MAP>\r\n<IMG SRC=\"%1\" USEMAP=\"#grand\">").arg(picture);
}

struct Editor
{
    explicit Editor(const QString &picture)
        : services(host)
    {
        services.documentFileName = [] { return folder().filePath(QStringLiteral("page.htm")); };
        dialog = std::make_unique<TMapFrm>(services, selectedMap(picture));
        dialog->resize(1000, 760);
        dialog->show();
        QApplication::processEvents();
    }
    NoDocument host;
    DialogServices services;
    std::unique_ptr<TMapFrm> dialog;
};

void OpenEditor(benchmark::State &state)
{
    const QString picture = state.range(0) ? QStringLiteral("grand.png") : QStringLiteral("grand.jpg");
    folder();
    for (auto _ : state) {
        Editor editor(picture);
        if (editor.dialog->sketch()->pictureSize() != QSize(6000, 4000)) {
            std::fprintf(stderr, "picture not loaded\n");
            std::abort();
        }
    }
}

void DragStep(benchmark::State &state)
{
    Editor editor(QStringLiteral("grand.jpg"));
    MapSketch *sketch = editor.dialog->sketch();
    QTest::mousePress(sketch, Qt::LeftButton, {}, QPoint(30, 30));
    int step = 0;
    for (auto _ : state) {
        QTest::mouseMove(sketch, QPoint(30 + (step++ % 2) * 3, 30));
        QApplication::processEvents();
    }
    QTest::mouseRelease(sketch, Qt::LeftButton, {}, QPoint(30, 30));
}

void WholeSketchRepaint(benchmark::State &state)
{
    Editor editor(QStringLiteral("grand.jpg"));
    QWidget *viewport = editor.dialog->sketchScroll()->viewport();
    for (auto _ : state) {
        editor.dialog->sketch()->update();
        QApplication::processEvents();
    }
    state.counters["viewport_px"] = double(viewport->width()) * viewport->height();
}

} // namespace

BENCHMARK(OpenEditor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(DragStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(WholeSketchRepaint)->Unit(benchmark::kMicrosecond);
