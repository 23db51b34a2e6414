#pragma once

#include "core/markup/colors.h"

#include <QColor>
#include <QWidget>

#include <functional>

#include <optional>

class ColorSwatchButton;
class QCheckBox;

// A colour that may be left out: a check box (its caption names the field)
// and a swatch. Unchecked means no colour; choosing one with the swatch
// checks the box. Black is a colour like any other.
class ColourField : public QWidget
{
    Q_OBJECT
public:
    explicit ColourField(const QString &caption, QWidget *parent = nullptr);

    std::optional<HtmlColor> colour() const;
    void setColour(std::optional<HtmlColor> colour);

    // Replaces the colour dialog (tests); see ColorSwatchButton.
    void setChooser(std::function<QColor(const QColor &, QWidget *)> chooser);

    QCheckBox *checkBox() const { return m_check; }
    ColorSwatchButton *swatch() const { return m_swatch; }

signals:
    void changed();

private:
    QCheckBox *m_check;
    ColorSwatchButton *m_swatch;
};
