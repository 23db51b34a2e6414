#pragma once

#include <QObject>

class EditorWidget;
class FrameLayout;
class MarginRuler;
class Prompts;
class QAction;
class QMenu;
class QWidget;
struct Settings;

// The Options menu and what it changes: the bars, the margins and their
// ruler, the browser choice, and the preferences dialog; applying the editor
// font, colours and margins to the open documents.
class OptionsCommands : public QObject
{
    Q_OBJECT
public:
    // The settings and the frame must outlive this object; parent is the
    // frame window (owner of the menu, the ruler and the dialog).
    OptionsCommands(Settings &settings, FrameLayout &frame, Prompts &prompts, QWidget *parent);

    QMenu *menu() const { return m_menu; }
    // The ruler, to be placed under the tab strip.
    MarginRuler *ruler() const { return m_ruler; }

    QAction *preferencesAction() const { return m_preferences; }
    QAction *statusBarAction() const { return m_statusBar; }
    QAction *toolbarAction() const { return m_toolbar; }
    QAction *marginsAction() const { return m_margins; }
    QAction *firstBrowserAction() const { return m_browser1; }
    QAction *secondBrowserAction() const { return m_browser2; }
    // "&Lancer le navigateur externe" (F10): disabled and unconnected until
    // the preview takes it over, or replaces it with its own action.
    QAction *previewAction() const { return m_preview; }
    void setPreviewAction(QAction *action);

    // Font name, size, text and background colour of one editor.
    void ApplyEditorFont(EditorWidget *editor);
    // Word wrap and margins of every open editor.
    void ApplyMargins();
    // The same for one editor, such as a new document's.
    void applyMarginsTo(EditorWidget *editor);
    // Places the ruler markers from the stored margins and stores back the
    // centres they take. Needs the frame window at its working size.
    void PositionMarginMarkers();

    // "&Préférences générales": the dialog, then, on OK, applyPreferences().
    void openPreferences();
    // Shows the settings everywhere: bars, ruler, margins, font and colours
    // of every document, and the menu's check marks.
    void applyPreferences();

private:
    QAction *addToggle(const QString &text, void (OptionsCommands::*handler)(bool));
    void refreshChecks();
    void toggleStatusBar(bool on);
    void toggleToolbar(bool on);
    void toggleMargins(bool on);
    void chooseBrowser(int choice);
    void marginsDragged(int leftCentre, int rightCentre);

    Settings &m_settings;
    FrameLayout &m_frame;
    Prompts &m_prompts;
    QWidget *m_parent;
    QMenu *m_menu;
    MarginRuler *m_ruler;
    QAction *m_preferences;
    QAction *m_statusBar;
    QAction *m_toolbar;
    QAction *m_margins;
    QAction *m_browser1;
    QAction *m_browser2;
    QAction *m_preview;
};
