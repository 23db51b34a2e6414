#pragma once

#include "core/media/mediatags.h"
#include "ui/dialogs/elementdialog.h"

class ColorSwatchButton;
class QButtonGroup;
class QCheckBox;
class QSpinBox;
class QTimer;

// "Bannière": wraps the selection in a scrolling MARQUEE, with a preview
// that scrolls as the banner will.
class TMarqueeFrm : public ElementDialog
{
    Q_OBJECT
public:
    explicit TMarqueeFrm(DialogServices &services, QWidget *parent = nullptr);

    MarqueeFields fields() const;
    QButtonGroup *behaviorGroup() const { return m_behavior; }
    QButtonGroup *directionGroup() const { return m_direction; }
    QButtonGroup *alignGroup() const { return m_align; }
    QSpinBox *totalField() const { return m_total; }
    QSpinBox *delayField() const { return m_delay; }
    QLineEdit *loopField() const { return m_loop; }
    QLineEdit *widthField() const { return m_width; }
    QCheckBox *widthPercentBox() const { return m_widthPercent; }
    ColorSwatchButton *textColourButton() const { return m_textColour; }
    ColorSwatchButton *backgroundColourButton() const { return m_backColour; }
    QTimer *previewTimer() const { return m_timer; }

protected:
    bool confirm() override;

private:
    void scrollPreview();

    QButtonGroup *m_behavior;
    QButtonGroup *m_direction;
    QButtonGroup *m_align;
    QSpinBox *m_total;
    QSpinBox *m_delay;
    QLineEdit *m_loop;
    QLineEdit *m_width;
    QCheckBox *m_widthPercent;
    QLineEdit *m_height;
    QCheckBox *m_heightPercent;
    QLineEdit *m_hspace;
    QLineEdit *m_vspace;
    ColorSwatchButton *m_textColour;
    ColorSwatchButton *m_backColour;
    QWidget *m_sketch;
    QLabel *m_sketchText;
    QTimer *m_timer;
    int m_offset = 0;
};
