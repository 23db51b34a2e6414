#pragma once

#include <QDialog>

class AppearancePage;
class BrowserPathsPage;
class Prompts;
class QCheckBox;
class QLineEdit;
class QTabWidget;
struct Settings;

// "Préférences générales": the author's name and the browsers, the bars and
// start-up options, the editor font and colours. Loaded from the settings when created; store()
// copies the controls back.
class PreferencesDialog : public QDialog
{
    Q_OBJECT
public:
    PreferencesDialog(const Settings &settings, Prompts &prompts, QWidget *parent = nullptr);

    void store(Settings &settings) const;

    QTabWidget *tabs() const { return m_tabs; }
    BrowserPathsPage *browserPage() const { return m_browser; }
    AppearancePage *appearancePage() const { return m_appearance; }

    // A running search ends before the dialog closes, whichever button.
    void done(int result) override;

private:
    QWidget *createGeneralPage();
    QWidget *createEnvironmentPage();
    void load(const Settings &settings);

    QTabWidget *m_tabs;
    BrowserPathsPage *m_browser;
    AppearancePage *m_appearance;
    QCheckBox *m_toolbar;
    QCheckBox *m_statusBar;
    QCheckBox *m_margins;
    QCheckBox *m_maximised;
    QCheckBox *m_aboutBox;
    QCheckBox *m_backup;
    QCheckBox *m_obligatorySave;
    QLineEdit *m_author;
};
