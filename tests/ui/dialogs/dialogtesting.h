#pragma once

#include "support/testhost.h"
#include "ui/dialogs/dialogservices.h"

#include <QDir>
#include <QTemporaryDir>

#include <deque>

// A test frame for element dialogs: the miniature frame window, a page saved
// in a temporary folder, and an open dialog that answers from a queue (an
// empty queue means the user cancelled).
struct DialogTesting
{
    DialogTesting()
        : services(host)
    {
        page = folder.filePath(QStringLiteral("index.htm"));
        services.chooseFile = [this](QWidget *, const QString &filter) {
            filters << filter;
            if (chosenFiles.empty())
                return QString();
            const QString file = chosenFiles.front();
            chosenFiles.pop_front();
            return file;
        };
        services.documentFileName = [this] { return page; };
        services.saveDocumentAs = [this] { return page; };
    }
    ~DialogTesting() { QDir::setCurrent(savedFolder); }

    // Writes a file beside the page; returns its absolute name.
    QString writeFile(const QString &name, const QByteArray &content = QByteArray())
    {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return file.fileName();
    }

    QString savedFolder = QDir::currentPath();
    QTemporaryDir folder;
    QString page;
    TestHost host;
    DialogServices services;
    std::deque<QString> chosenFiles;
    QStringList filters;
};
