#include "ui/recovery/recoverykeeper.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/shell/tabtext.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/text/editorwidget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

QString RecoveryKeeper::defaultRoot()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("recovery"));
}

RecoveryKeeper::RecoveryKeeper(const QString &root, Prompts &prompts, QObject *parent)
    : QObject(parent)
    , m_folder(root)
    , m_prompts(prompts)
{
    // One writer: copies and removals happen in the order they were asked.
    m_writer.setMaxThreadCount(1);
    QDir().mkpath(root);
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_folder.start();
}

RecoveryKeeper::~RecoveryKeeper()
{
    m_writer.waitForDone();
}

void RecoveryKeeper::flush()
{
    for (const auto &[pageId, document] : m_pages) {
        if (document)
            copyNow(document, pageId);
    }
    m_writer.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

void RecoveryKeeper::watch(DocumentWindow *document)
{
    if (!m_folder.isStarted() || !document)
        return;
    const int pageId = m_nextPageId++;
    m_pages[pageId] = document;
    auto *timer = new QTimer(document);
    timer->setSingleShot(true);
    // The editor's own signals: they follow its document when a large page
    // puts another one in place.
    EditorWidget *text = document->editor();
    connect(timer, &QTimer::timeout, this, [this, document, pageId] { copyNow(document, pageId); });
    connect(text, &TextView::textChanged, timer, [this, timer] { timer->start(m_delayMs); });
    connect(text, &TextView::modificationChanged, this, [this, timer, pageId](bool modified) {
        if (modified) {
            timer->start(m_delayMs);
        } else {
            // Saved or reverted: the file on disk is the page again.
            timer->stop();
            removeCopy(pageId);
        }
    });
    // Closed: whatever the user chose, the copy has no more use.
    connect(document, &QObject::destroyed, this, [this, pageId] {
        m_pages.erase(pageId);
        removeCopy(pageId);
    });
    if (document->text().isModified())
        timer->start(m_delayMs);
}

void RecoveryKeeper::copyNow(DocumentWindow *document, int pageId)
{
    if (!document->text().isModified())
        return;
    // Only the snapshot is taken here; conversion, encoding and the disk
    // happen on the writer thread.
    RecoveryCopy copy;
    copy.caption = document->caption();
    copy.format = document->format;
    // A copy of the line list shares the lines' text with the editor.
    const LineStore lines = document->editor()->store();
    const QString path = m_folder.copyPath(pageId);
    QPointer<RecoveryKeeper> self(this);
    m_writer.start([self, path, lines, copy]() mutable {
        copy.text = lines.text(u"\r\n");
        writeRecoveryCopy(path, copy);
        QMetaObject::invokeMethod(self, &RecoveryKeeper::copiesChanged, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::removeCopy(int pageId)
{
    const QString path = m_folder.copyPath(pageId);
    QPointer<RecoveryKeeper> self(this);
    m_writer.start([self, path] {
        if (QFile::remove(path))
            QMetaObject::invokeMethod(self, &RecoveryKeeper::copiesChanged, Qt::QueuedConnection);
    });
}

int RecoveryKeeper::offerLeftOvers(const std::function<void(const RecoveryCopy &)> &open)
{
    RecoveryFolder::LeftOvers leftOvers = m_folder.takeLeftOvers();
    for (const QString &damaged : std::as_const(leftOvers.damaged))
        m_prompts.warning(QLatin1Char('[') + damaged + QLatin1Char(']') + msg(9003));
    if (leftOvers.pages.empty()) {
        m_folder.discardLeftOvers();
        return 0;
    }
    QString question = msg(9001);
    for (const RecoveryCopy &copy : leftOvers.pages)
        question += QStringLiteral("\n    ") + copy.caption;
    question += QStringLiteral("\n\n") + msg(9002);
    const bool reopen = m_prompts.askYesNo(question);
    if (reopen) {
        for (const RecoveryCopy &copy : leftOvers.pages)
            open(copy);
    }
    // Reopened pages get copies of their own before the old ones go.
    flush();
    m_folder.discardLeftOvers();
    return reopen ? int(leftOvers.pages.size()) : 0;
}

DocumentWindow *openRecoveredPage(DocumentWorkspace &workspace, const RecoveryCopy &copy,
                                  const std::function<void(DocumentWindow *)> &prepare)
{
    DocumentWindow *document = workspace.createDocument();
    if (prepare)
        prepare(document);
    document->setCaption(copy.caption);
    document->DocumentTabIndex = workspace.AddDocumentTab(fileNameWithoutFolder(copy.caption));
    document->format = copy.format;
    document->loadText(LineStore(copy.text));
    document->text().setModified(true);
    return document;
}
