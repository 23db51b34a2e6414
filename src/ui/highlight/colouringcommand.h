#pragma once

#include <QObject>

class EditorWidget;
class FrameLayout;
class QAction;
class QMenu;
struct Settings;

// The Options menu item "Coloration syntaxique": turns the HTML colouring of
// every document window on or off, kept in the settings.
class ColouringCommand : public QObject
{
    Q_OBJECT
public:
    // Puts the item into optionsMenu, after the item `after` (at the end when
    // it is not there). The settings and the frame outlive this object.
    ColouringCommand(QMenu &optionsMenu, QAction *after, Settings &settings, FrameLayout &frame, QObject *parent);

    QAction *action() const { return m_action; }
    void setEnabled(bool on);

private:
    Settings &m_settings;
    FrameLayout &m_frame;
    QAction *m_action;
};

// Colours one editor, or takes its colours off, as the settings say.
void applyColouring(EditorWidget &editor, const Settings &settings);
