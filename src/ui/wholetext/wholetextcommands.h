#pragma once

#include "core/wholetext/passprogress.h"

#include <QObject>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>

class DocumentHost;
class DocumentText;
class Prompts;
class UndoHistory;
class QAction;
class QWidget;

// The progress of a whole-text pass at the bottom of the frame window: while
// the pass runs, a progress bar (0 to 100) takes the status bar's place and
// the hourglass shows; afterwards the status bar is back as it was.
class ProgressPanel : public PassProgress
{
public:
    explicit ProgressPanel(QWidget *window);
    ~ProgressPanel() override;
    ProgressPanel(const ProgressPanel &) = delete;
    ProgressPanel &operator=(const ProgressPanel &) = delete;

    void begin() override;
    void step(int percent) override;
    void end() override;

    // The bar while a pass runs, else null.
    QProgressBar *bar() const { return m_bar; }

private:
    QPointer<QWidget> m_window;
    QPointer<QStatusBar> m_statusBar;
    QPointer<QProgressBar> m_bar;
    bool m_statusBarWasVisible = false;
    bool m_busy = false;
};

// The File menu's whole-text commands. The frame window places the actions
// in its menus (and the two conversions in the document's context menu);
// each acts on the active document and does nothing without one.
class WholeTextCommands : public QObject
{
    Q_OBJECT
public:
    explicit WholeTextCommands(DocumentHost &host, QObject *parent = nullptr);

    // "&Conversion des caractères"
    QAction *conversionAction() const { return m_conversion; }
    // "Re&tour vers caractères"
    QAction *backConversionAction() const { return m_backConversion; }
    // "Compacter les &balises"
    QAction *compactionAction() const { return m_compaction; }

    void Conversioncaractres1Click();
    void Retourverscaractres1Click();
    void Compact1Click();

private:
    using Pass = bool (*)(DocumentText &, UndoHistory &, Prompts &, PassProgress *);
    void run(Pass pass);

    DocumentHost &m_host;
    QAction *m_conversion;
    QAction *m_backConversion;
    QAction *m_compaction;
};
