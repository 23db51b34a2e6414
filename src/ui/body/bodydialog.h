#pragma once

#include "core/body/bodytag.h"
#include "ui/dialogs/elementdialog.h"

class ColorSwatchButton;
class EventsDialog;
class MainWindow;
class PageSketch;
class QCheckBox;
class QRadioButton;
class QSpinBox;

// "Corps de la page <BODY>": the page's BODY start tag, read from the
// element being re-edited (or the defaults) and written back as one step.
class TBodyFrm : public ElementDialog
{
    Q_OBJECT
public:
    enum Colour { Background, Text, Link, ActiveLink, VisitedLink, ColourCount };

    // elementText: the BODY element to re-edit, empty for a new tag.
    TBodyFrm(DialogServices &services, const QString &elementText, QWidget *parent = nullptr);

    BodyProperties properties() const;
    void setProperties(const BodyProperties &body);
    BodyBrowser browser() const;

    QComboBox *backgroundField() const { return m_background; }
    ColorSwatchButton *colourButton(Colour colour) const { return m_colours[colour]; }
    QCheckBox *fixedBox() const { return m_fixed; }
    QSpinBox *leftMarginField() const { return m_left; }
    QSpinBox *topMarginField() const { return m_top; }
    QRadioButton *explorerButton() const { return m_explorer; }
    QPushButton *scriptButton() const { return m_script; }
    QPushButton *clearButton() const { return m_clear; }
    EventsDialog *events() const { return m_events; }
    PageSketch *sketch() const { return m_sketch; }

protected:
    bool confirm() override;

private:
    void browserToggled();
    void clearAll();
    void backgroundChanged();
    void refreshSketch();

    QComboBox *m_background;
    ColorSwatchButton *m_colours[ColourCount];
    QCheckBox *m_fixed;
    QSpinBox *m_left;
    QSpinBox *m_top;
    // The margins as read, kept while their fields are not edited.
    QString m_leftText;
    QString m_topText;
    QRadioButton *m_netscape;
    QRadioButton *m_explorer;
    QPushButton *m_script;
    QPushButton *m_clear;
    PageSketch *m_sketch;
    EventsDialog *m_events;
};

// The BODY command: reads the page's BODY tag when it has attributes, shows
// the dialog, and writes the new tag.
void RunBodyCommand(DialogServices &services);

// Hands the command to the tool tabs' "Corps du document <body>".
void installBodyCommand(MainWindow &frame);
