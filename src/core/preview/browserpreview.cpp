#include "core/preview/browserpreview.h"

#include "core/messages/messages.h"
#include "core/preview/browserlauncher.h"
#include "core/settings/settings.h"
#include "core/shell/prompts.h"
#include "core/shell/tabtext.h"
#include "core/text/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace {

QString folderPart(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

} // namespace

BrowserProgram chosenBrowser(const Settings &settings)
{
    BrowserProgram browser;
    if (settings.browserChoice == 1)
        browser.path = settings.browserPath1;
    else if (settings.browserChoice == 2)
        browser.path = settings.browserPath2;
    browser.path = browser.path.trimmed();
    if (!browser.path.isEmpty())
        browser.family = settings.browserChoice;
    return browser;
}

QString resolveBrowserProgram(const QString &path)
{
    if (path.isEmpty())
        return QString();
    if (folderPart(path).isEmpty())
        return QStandardPaths::findExecutable(path);
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

QString previewUrl(const QString &pagePath)
{
    return QUrl::fromLocalFile(pagePath).toString(QUrl::FullyEncoded);
}

QStringList browserArguments(const BrowserProgram &browser, const QString &pagePath, bool fileFlag)
{
    if (browser.family == 2 && fileFlag)
        return {QStringLiteral("file:") + QUrl::fromLocalFile(pagePath).path(QUrl::FullyEncoded)};
    return {previewUrl(pagePath)};
}

QString temporaryPreviewPath(const QString &caption, const QString &privateFolder)
{
    const QString folder = folderPart(caption);
    if (folder.isEmpty() || fileNameWithoutFolder(caption).compare(TemporaryPreviewName, Qt::CaseInsensitive) == 0)
        return QDir(privateFolder).filePath(TemporaryPreviewName);
    return folder + TemporaryPreviewName;
}

QString privatePreviewFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        return QString();
    const QString folder = base + QStringLiteral("/Orbelune/Tessaline");
    if (!QDir().mkpath(folder))
        return QString();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

BrowserPreview::BrowserPreview(Settings &settings, Prompts &prompts, PreviewHost &host, BrowserLauncher &launcher,
                               QString &previewFile, QString privateFolder)
    : m_settings(settings)
    , m_prompts(prompts)
    , m_host(host)
    , m_launcher(launcher)
    , m_previewFile(previewFile)
    , m_privateFolder(std::move(privateFolder))
{}

void BrowserPreview::removePreviewFile()
{
    if (m_previewFile.isEmpty())
        return;
    QFile::remove(m_previewFile);
    m_previewFile.clear();
}

QString BrowserPreview::run()
{
    removePreviewFile();
    const BrowserProgram browser = chosenBrowser(m_settings);
    if (browser.family == 0) {
        m_host.openPreferences();
        return QString();
    }
    const QString page = preparePage();
    if (page.isEmpty())
        return QString();

    m_host.releaseToolWindows();
    const QString program = resolveBrowserProgram(browser.path);
    if (program.isEmpty()) {
        m_prompts.error(msg(91));
        m_host.openPreferences();
        return QString();
    }
    if (!m_launcher.start(program, browserArguments(browser, page, m_settings.fileUrls))) {
        m_prompts.error(msg(12));
        m_host.openPreferences();
        return QString();
    }
    return page;
}

QString BrowserPreview::preparePage()
{
    const QString master = m_host.projectMasterPath();
    if (!master.isEmpty()) {
        if (m_host.projectModified() && m_prompts.askYesNo(msg(13)))
            m_host.saveProject();
        return master;
    }
    std::optional<PreviewHost::Page> page = m_host.activePage();
    if (!page)
        return QString();
    if (!m_settings.obligatorySave)
        return writeTemporaryCopy(*page);

    if (folderPart(page->caption).isEmpty()) {
        m_host.saveActivePage();
        page = m_host.activePage();
        if (!page || folderPart(page->caption).isEmpty()) {
            m_prompts.information(msg(14));
            return QString();
        }
        return page->caption;
    }
    if (!page->modified || m_prompts.askYesNo(msg(87)))
        m_host.saveActivePage();
    page = m_host.activePage();
    return page ? page->caption : QString();
}

namespace {

// Creates the copy as a new file: a file, or a symbolic link (even a
// dangling one), already there under that name makes this fail, so the
// author's text never goes through a link someone else planted.
bool createNewFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.close();
        file.remove();
        return false;
    }
    file.close();
    return file.error() == QFileDevice::NoError;
}

} // namespace

QString BrowserPreview::writeTemporaryCopy(const PreviewHost::Page &page)
{
    const QString diskText = withLineEnd(page.text, page.format.lineEnd);
    QByteArray bytes;
    if (!encodeText(diskText, page.format.encoding, bytes))
        encodeText(diskText, FileEncoding::Utf8, bytes);
    const QString beside = temporaryPreviewPath(page.caption, m_privateFolder);
    const QString fallback = temporaryPreviewPath(QString(), m_privateFolder);
    // The copy of the last preview is gone by now, so anything of that name
    // beside the page (the author's own file, or a link) is not ours: the
    // copy then goes to the private folder, as it does for a page in a
    // folder the user may not write to (its relative links break, but the
    // page itself shows).
    if (beside != fallback && createNewFile(beside, bytes)) {
        m_previewFile = beside;
        return beside;
    }
    // The private folder is the user's own: what lies there under the copy's
    // name is a copy left by a program that ended early, or a link; removing
    // it removes the link itself, never what it points to.
    QFile::remove(fallback);
    if (!createNewFile(fallback, bytes)) {
        m_prompts.error(fileMessage(fallback, Texts::WriteFailed));
        return QString();
    }
    m_previewFile = fallback;
    return fallback;
}
