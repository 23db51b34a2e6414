#pragma once

#include "core/formatting/rulemarkup.h"
#include "ui/dialogs/elementdialog.h"

class ColourField;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// How the rule will look: drawn at its share of the sketch's width, aligned
// and coloured as chosen, flat or in relief.
class RuleSketch : public QWidget
{
    Q_OBJECT
public:
    explicit RuleSketch(QWidget *parent = nullptr);
    void setFields(const RuleFields &fields);
    // Where the rule is drawn, in the widget's coordinates.
    QRect ruleRect() const;
    QSize sizeHint() const override { return QSize(260, 60); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RuleFields m_fields;
};

// The horizontal-rule dialog. Opened on a selected HR tag it shows that
// tag's attributes and replaces it.
class THrFrm : public ElementDialog
{
    Q_OBJECT
public:
    explicit THrFrm(DialogServices &services, QWidget *parent = nullptr);

    RuleFields fields() const;
    void setFields(const RuleFields &fields);

    QSpinBox *widthBox() const { return m_width; }
    QCheckBox *percentBox() const { return m_percent; }
    QRadioButton *alignButton(RuleAlign align) const { return m_align[int(align)]; }
    QSpinBox *sizeBox() const { return m_size; }
    QCheckBox *shadeBox() const { return m_shade; }
    ColourField *colourField() const { return m_colour; }
    RuleSketch *sketch() const { return m_sketch; }

protected:
    bool confirm() override;

private:
    void percentToggled(bool percent);
    void refreshSketch();

    QSpinBox *m_width;
    QCheckBox *m_percent;
    QRadioButton *m_align[3];
    QSpinBox *m_size;
    QCheckBox *m_shade;
    ColourField *m_colour;
    RuleSketch *m_sketch;
};
