#include "ui/wholetext/wholetextcommands.h"

#include "core/shell/documenthost.h"
#include "core/wholetext/wholetext.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>

namespace {

const QString ConversionCaption = QStringLiteral("&Conversion des caractères");
const QString BackConversionCaption = QStringLiteral("Re&tour vers caractères");
const QString CompactionCaption = QStringLiteral("Compacter les &balises");

} // namespace

ProgressPanel::ProgressPanel(QWidget *window)
    : m_window(window)
{}

ProgressPanel::~ProgressPanel()
{
    end();
}

void ProgressPanel::begin()
{
    if (m_busy)
        return;
    m_busy = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!m_window)
        return;
    // Only a status bar the window already has: asking a main window for
    // its status bar would create one.
    m_statusBar = m_window->findChild<QStatusBar *>(QString(), Qt::FindDirectChildrenOnly);
    m_statusBarWasVisible = m_statusBar && m_statusBar->isVisible();

    m_bar = new QProgressBar(m_window);
    m_bar->setObjectName(QStringLiteral("GaugePn"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    const int height = m_statusBarWasVisible ? m_statusBar->height() : m_bar->sizeHint().height();
    m_bar->setGeometry(0, m_window->height() - height, m_window->width(), height);
    if (m_statusBarWasVisible)
        m_statusBar->hide();
    m_bar->show();
    m_bar->raise();
    m_bar->repaint();
}

void ProgressPanel::step(int percent)
{
    if (m_bar && m_bar->value() != percent) {
        m_bar->setValue(percent);
        m_bar->repaint();
    }
}

void ProgressPanel::end()
{
    if (!m_busy)
        return;
    m_busy = false;
    delete m_bar;
    if (m_statusBar && m_statusBarWasVisible)
        m_statusBar->show();
    m_statusBar = nullptr;
    QApplication::restoreOverrideCursor();
}

WholeTextCommands::WholeTextCommands(DocumentHost &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_conversion(new QAction(ConversionCaption, this))
    , m_backConversion(new QAction(BackConversionCaption, this))
    , m_compaction(new QAction(CompactionCaption, this))
{
    m_conversion->setObjectName(QStringLiteral("Conversioncaractres1"));
    connect(m_conversion, &QAction::triggered, this, &WholeTextCommands::Conversioncaractres1Click);
    m_backConversion->setObjectName(QStringLiteral("Retourverscaractres1"));
    connect(m_backConversion, &QAction::triggered, this, &WholeTextCommands::Retourverscaractres1Click);
    m_compaction->setObjectName(QStringLiteral("Compact1"));
    connect(m_compaction, &QAction::triggered, this, &WholeTextCommands::Compact1Click);
}

void WholeTextCommands::Conversioncaractres1Click()
{
    run(ConvertCharactersToEntities);
}

void WholeTextCommands::Retourverscaractres1Click()
{
    run(ConvertEntitiesToCharacters);
}

void WholeTextCommands::Compact1Click()
{
    run(CompactPageTags);
}

void WholeTextCommands::run(Pass pass)
{
    DocumentText *text = m_host.activeText();
    UndoHistory *undo = m_host.activeUndo();
    if (!text || !undo)
        return;
    ProgressPanel panel(m_host.window());
    pass(*text, *undo, m_host.prompts(), &panel);
    m_host.UpdateCommandStates();
}
