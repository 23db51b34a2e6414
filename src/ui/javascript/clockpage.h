#pragma once

#include "ui/javascript/wizardpage.h"

class QLabel;
class QListWidget;
class QRadioButton;

// The clock wizard: the time or the date, in a chosen style, kept up to date
// in a form field.
class ClockPage : public WizardPage
{
    Q_OBJECT
public:
    explicit ClockPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    void tick(int elapsedMs) override;
    QString anchor() const override { return QStringLiteral("heure"); }

    QRadioButton *m_time;
    QRadioButton *m_date;
    QListWidget *m_styles;
    QLabel *m_preview;

    // The text a style shows for a moment ("HH H MM" gives "12 h 00").
    static QString formatted(const QString &style, const QDateTime &moment);

private:
    void fillStyles();
    int m_waited = 0;
};
