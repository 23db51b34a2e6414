#include "ui/recovery/recoverykeeper.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/shell/tabtext.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/recovery/recoverydialog.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QStandardPaths>
#include <QStatusBar>
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
    if (!document)
        return;
    // The editor's own signals: they follow its document when a large page
    // puts another one in place.
    EditorWidget *text = document->editor();
    if (!m_folder.isStarted()) {
        // Told when there is first something to lose, once the keystroke
        // that changed the page is done with.
        const RecoveryProblem problem = m_folder.problem();
        const auto tell = [this, problem] {
            QMetaObject::invokeMethod(
                this, [this, problem] { tellProtectionLost(problem); }, Qt::QueuedConnection);
        };
        connect(text, &TextView::modificationChanged, this, [tell](bool modified) {
            if (modified)
                tell();
        });
        if (document->text().isModified())
            tell();
        return;
    }
    const int pageId = m_nextPageId++;
    m_pages[pageId] = document;
    // A copy follows a quiet moment after the last change, or the longest
    // wait since the first change not yet copied, whichever comes first.
    auto *quiet = new QTimer(document);
    auto *longest = new QTimer(document);
    quiet->setSingleShot(true);
    longest->setSingleShot(true);
    const auto copy = [this, document, pageId, quiet, longest] {
        quiet->stop();
        longest->stop();
        copyNow(document, pageId);
    };
    const auto changed = [this, quiet, longest] {
        quiet->start(m_delayMs);
        if (!longest->isActive())
            longest->start(m_longestMs);
    };
    connect(quiet, &QTimer::timeout, this, copy);
    connect(longest, &QTimer::timeout, this, copy);
    connect(text, &TextView::textChanged, quiet, changed);
    connect(text, &TextView::modificationChanged, this, [this, changed, quiet, longest, pageId](bool modified) {
        if (modified) {
            changed();
        } else {
            // Saved or reverted: the file on disk is the page again.
            quiet->stop();
            longest->stop();
            removeCopy(pageId);
        }
    });
    // Closed: whatever the user chose, the copy has no more use.
    connect(document, &QObject::destroyed, this, [this, pageId] {
        m_pages.erase(pageId);
        removeCopy(pageId);
    });
    if (document->text().isModified())
        changed();
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
    // The keeper waits for its writer before it goes, so it outlives the task.
    m_writer.start([self, path, lines, copy]() mutable {
        copy.text = lines.text(u"\r\n");
        if (writeRecoveryCopy(path, copy)) {
            QMetaObject::invokeMethod(self, &RecoveryKeeper::copiesChanged, Qt::QueuedConnection);
            return;
        }
        const RecoveryProblem problem = recoveryFolderProblem(QFileInfo(path).absolutePath());
        QMetaObject::invokeMethod(
            self, [self, problem] { self->tellProtectionLost(problem); }, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::tellProtectionLost(RecoveryProblem problem)
{
    if (m_lostTold)
        return;
    m_lostTold = true;
    int reason = 9205;
    switch (problem) {
    case RecoveryProblem::DiskFull:
        reason = 9201;
        break;
    case RecoveryProblem::ReadOnly:
        reason = 9202;
        break;
    case RecoveryProblem::NotAllowed:
        reason = 9203;
        break;
    case RecoveryProblem::SymbolicLink:
        reason = 9204;
        break;
    case RecoveryProblem::None:
    case RecoveryProblem::Other:
        break;
    }
    // In the frame's status bar for as long as the program runs, beside the
    // panels it keeps there.
    if (auto *frame = qobject_cast<QMainWindow *>(parent())) {
        auto *notice = new QLabel(msg(9207), frame);
        notice->setObjectName(QStringLiteral("recoveryLost"));
        notice->setToolTip(msg(9200));
        frame->statusBar()->addPermanentWidget(notice);
    }
    m_prompts.warning(msg(9200) + QLatin1Char('[') + QDir::toNativeSeparators(m_folder.root()) + QLatin1Char(']')
                      + msg(reason) + msg(9206));
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

bool RecoveryKeeper::askReopen(const QStringList &captions)
{
    auto *frame = qobject_cast<MainWindow *>(parent());
    if (!frame)
        return m_prompts.askYesNo(msg(9001) + QLatin1Char('\n') + captions.join(QLatin1Char('\n'))
                                  + QStringLiteral("\n\n") + msg(9002));
    RecoveryDialog dialog(frameDialogServices(*frame), captions, frame);
    return dialog.exec() == QDialog::Accepted;
}

int RecoveryKeeper::offerLeftOvers(const std::function<void(const RecoveryCopy &)> &open)
{
    RecoveryFolder::LeftOvers leftOvers = m_folder.takeLeftOvers();
    // One message however many there are.
    if (leftOvers.damaged.size() == 1)
        m_prompts.warning(QLatin1Char('[') + leftOvers.damaged[0] + QLatin1Char(']') + msg(9003));
    else if (leftOvers.damaged.size() > 1)
        m_prompts.warning(QString::number(leftOvers.damaged.size()) + msg(9208) + QLatin1Char('[') + m_folder.root()
                          + QLatin1Char(']') + msg(9209));
    if (leftOvers.pages.empty()) {
        m_folder.discardLeftOvers();
        return 0;
    }
    QStringList captions;
    captions.reserve(qsizetype(leftOvers.pages.size()));
    for (const RecoveryCopy &copy : leftOvers.pages)
        captions << copy.caption;
    const bool reopen = askReopen(captions);
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
