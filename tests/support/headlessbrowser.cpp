#include "support/headlessbrowser.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace HeadlessBrowser {

QString program()
{
    for (const char *name : {"chromium", "chromium-browser", "google-chrome"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

bool available()
{
    return !program().isEmpty();
}

QString missingReason()
{
    return QStringLiteral("Chromium is not installed (apt-get install chromium); browser check skipped");
}

QStringList baseArguments(const QString &profileFolder)
{
    return {QStringLiteral("--headless"),
            QStringLiteral("--no-sandbox"),
            QStringLiteral("--disable-gpu"),
            QStringLiteral("--disable-quic"),
            QStringLiteral("--no-first-run"),
            QStringLiteral("--disable-background-networking"),
            QStringLiteral("--disable-component-update"),
            QStringLiteral("--disable-sync"),
            QStringLiteral("--user-data-dir=") + profileFolder};
}

QString dumpDom(const QString &pagePath, int timeoutMs)
{
    const QString browser = program();
    QTemporaryDir profile;
    if (browser.isEmpty() || !profile.isValid())
        return QString();
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(browser,
                  baseArguments(profile.path())
                      << QStringLiteral("--dump-dom") << QUrl::fromLocalFile(pagePath).toString());
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString dumpDomOfMarkup(const QString &html, int timeoutMs)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return QString();
    const QString path = folder.filePath(QStringLiteral("page.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(html.toUtf8());
    file.close();
    return dumpDom(path, timeoutMs);
}

} // namespace HeadlessBrowser
