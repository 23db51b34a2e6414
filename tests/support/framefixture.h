#pragma once

#include "support/fakeprompts.h"
#include "support/fakeshelldialogs.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The real frame window over a temporary folder: its own settings file (no
// about box at start), scripted prompts and shell dialogs. Pages left
// unsaved by a test are dropped without questions.
class FrameFixture : public ::testing::Test
{
protected:
    using Answer = Prompts::Answer;

    FrameFixture()
        : store(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat)
    {
        store.setValue(QStringLiteral("Tessaline/APropos"), 0);
    }
    ~FrameFixture() override { stop(); }

    void start()
    {
        window = std::make_unique<MainWindow>(MainWindow::Services{&store, &prompts, &dialogs});
        window->show();
        QCoreApplication::processEvents();
    }
    void stop()
    {
        if (!window)
            return;
        for (DocumentWindow *document : window->workspace()->documents())
            document->text().setModified(false);
        window->close();
        window.reset();
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Writes a page into the folder and opens it; the page opened, or null.
    DocumentWindow *openPage(const QString &name, const QByteArray &bytes)
    {
        writeFile(name, bytes);
        files().OpenDocument(path(name));
        return active();
    }
    DocumentWindow *active() const { return window->activeDocument(); }
    FileCommands &files() const { return *window->files(); }

    QTemporaryDir dir;
    QSettings store;
    FakePrompts prompts;
    FakeShellDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};
