#pragma once

#include "ui/javascript/wizardpage.h"

class QButtonGroup;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// The gradient wizard: a text written letter by letter from black towards
// red, green or blue.
class GradientPage : public WizardPage
{
    Q_OBJECT
public:
    explicit GradientPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    QString anchor() const override { return QStringLiteral("degrade"); }

    QLineEdit *m_text;
    QFontComboBox *m_font;
    QSpinBox *m_size;
    QButtonGroup *m_colours;
    QLabel *m_preview;

    // The letters of text as rich text in the gradient the page writes.
    static QString gradientHtml(const QString &text, int colour);

private:
    void refresh();
};
