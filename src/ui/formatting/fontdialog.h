#pragma once

#include "core/formatting/fontmarkup.h"
#include "ui/dialogs/elementdialog.h"

#include <array>

class ColourField;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTimer;

// The font dialog, in font mode (FONT and the style tags around the
// selection) or base-font mode (a BASEFONT tag; no style pages). Fonts are
// the installed families; the sample shows the choice, refreshed on a timer
// (which also makes a blinking sample blink).
class TFontFrm : public ElementDialog
{
    Q_OBJECT
public:
    TFontFrm(DialogServices &services, bool baseFont, QWidget *parent = nullptr);

    FontFields fields() const;

    QListWidget *fontList() const { return m_fonts; }
    QLineEdit *sizeEdit() const { return m_size; }
    QListWidget *sizeList() const { return m_sizes; }
    ColourField *colourField() const { return m_colour; }
    QCheckBox *styleBox(int index) const { return m_styles[size_t(index)]; }
    QTabWidget *stylePages() const { return m_pages; }
    QLabel *sample() const { return m_sample; }

    // Refreshes the sample now (the timer does it twice a second).
    void updateSample();

protected:
    bool confirm() override;

private:
    void sizeTyped(const QString &size);

    bool m_baseFont;
    QListWidget *m_fonts;
    QLineEdit *m_size;
    QListWidget *m_sizes;
    ColourField *m_colour;
    QTabWidget *m_pages;
    std::array<QCheckBox *, FontStyleCount> m_styles{};
    QLabel *m_sample;
    QTimer *m_timer;
    bool m_blinkShown = true;
};
