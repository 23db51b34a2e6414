#include "core/livepreview/livepreviewrules.h"

#include "core/preview/browserpreview.h"

#include <QDir>
#include <QFileInfo>

QString livePreviewFolder(const QString &caption)
{
    // Only an absolute path names a saved page; a caption such as
    // "Sans titre 1" has no folder.
    const QString path = QDir::fromNativeSeparators(caption);
    if (!QDir::isAbsolutePath(path))
        return QString();
    const qsizetype slash = path.lastIndexOf(u'/');
    return path.left(slash + 1);
}

QUrl livePreviewBaseUrl(const QString &caption)
{
    const QString folder = livePreviewFolder(caption);
    return folder.isEmpty() ? QUrl() : QUrl::fromLocalFile(folder);
}

QUrl livePreviewPageUrl(const QString &caption)
{
    QUrl url;
    url.setScheme(LivePreviewScheme);
    url.setPath(livePreviewFolder(caption).isEmpty() ? QStringLiteral("/sans-dossier.htm")
                                                     : QDir::fromNativeSeparators(caption));
    return url;
}

bool livePreviewMayRead(const QString &path, const QString &folder)
{
    if (folder.isEmpty() || path.isEmpty())
        return false;
    // Both sides with their links resolved: a link inside the folder that
    // points elsewhere is refused, and "a/../../b" cannot climb out.
    QString root = QFileInfo(folder).canonicalFilePath();
    const QString file = QFileInfo(path).canonicalFilePath();
    if (root.isEmpty() || file.isEmpty())
        return false;
    if (!root.endsWith(u'/'))
        root += u'/';
    return file.startsWith(root);
}

QUrl externalLinkTarget(const QUrl &clicked)
{
    if (clicked.scheme() == LivePreviewScheme) {
        const QString path = clicked.path();
        if (path == livePreviewPageUrl(QString()).path())
            return QUrl();
        QUrl file = QUrl::fromLocalFile(path);
        file.setFragment(clicked.fragment());
        return file;
    }
    if (!clicked.isValid() || clicked.scheme() == u"javascript" || clicked.scheme() == u"data")
        return QUrl();
    return clicked;
}

QString samePageAnchor(const QUrl &clicked, const QString &caption)
{
    if (!clicked.hasFragment() || clicked.fragment().isEmpty())
        return QString();
    const QUrl target = clicked.adjusted(QUrl::RemoveFragment);
    const bool samePage = target == livePreviewPageUrl(caption)
                          || (!livePreviewFolder(caption).isEmpty()
                              && (target == livePreviewBaseUrl(caption) || target == QUrl::fromLocalFile(caption)));
    return samePage ? clicked.fragment(QUrl::FullyDecoded) : QString();
}

QStringList linkArguments(const BrowserProgram &browser, const QUrl &link, bool fileFlag)
{
    if (link.isLocalFile() && !link.hasFragment() && !link.hasQuery())
        return browserArguments(browser, link.toLocalFile(), fileFlag);
    return {link.toString(QUrl::FullyEncoded)};
}

QByteArray livePreviewEngineFlags(const QByteArray &userFlags, bool runningAsRoot)
{
    QList<QByteArray> flags = userFlags.simplified().split(' ');
    flags.removeAll(QByteArray());
    const auto add = [&flags](const char *flag) {
        if (!flags.contains(flag))
            flags << flag;
    };
    add("--disable-gpu");
    if (runningAsRoot)
        add("--no-sandbox");
    return flags.join(' ');
}
