#pragma once

#include "ui/javascript/wizardpage.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// The banner wizard: a text scrolling in a text box or in the status bar.
class BannerPage : public WizardPage
{
    Q_OBJECT
public:
    explicit BannerPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    void tick(int elapsedMs) override;
    QString anchor() const override { return QStringLiteral("banniere"); }

    QLineEdit *m_text;
    QRadioButton *m_textBox;
    QRadioButton *m_statusBar;
    QSpinBox *m_width;
    QSpinBox *m_delay;
    QLineEdit *m_previewBox;
    QLabel *m_previewStatus;

private:
    void updatePreviewKind();
    int m_waited = 0;
    int m_position = 0;
};
