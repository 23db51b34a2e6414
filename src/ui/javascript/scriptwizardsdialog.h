#pragma once

#include "ui/dialogs/elementdialog.h"

#include <QElapsedTimer>

class QTabWidget;
class QTimer;
class WizardPage;

// The JavaScript assistant: six wizards on tabs, each adding a ready-made
// script effect to the active page. The previews run on a 10 ms timer,
// stopped while OK writes the page.
class ScriptWizardsDialog : public ElementDialog
{
    Q_OBJECT
public:
    enum Wizard { Banner, Clock, UrlMenu, Gradient, PictureList, PictureLink, WizardCount };

    ScriptWizardsDialog(DialogServices &services, Wizard wizard, QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }
    WizardPage *page(Wizard wizard) const;
    QTimer *previewTimer() const { return m_timer; }
    QString helpAnchor() const override;
    // Where the script templates are read from (the jscript folder beside
    // the program unless a test says otherwise).
    void setTemplateFolder(const QString &folder) { m_templateFolder = folder; }

protected:
    bool confirm() override;

private:
    void tick();

    QTabWidget *m_tabs;
    QTimer *m_timer;
    QElapsedTimer m_clock;
    QString m_templateFolder;
};

// Runs the assistant on the active page, opened on the given wizard.
void ScriptWizardsCommand(DialogServices &services, ScriptWizardsDialog::Wizard wizard);
