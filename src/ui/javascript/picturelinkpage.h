#pragma once

#include "ui/javascript/wizardpage.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The picture link wizard: a linked picture that another replaces while the
// mouse is over it.
class PictureLinkPage : public WizardPage
{
    Q_OBJECT
public:
    explicit PictureLinkPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    QString anchor() const override { return QStringLiteral("lien"); }
    bool eventFilter(QObject *watched, QEvent *event) override;

    QLineEdit *m_normal;
    QLineEdit *m_over;
    QLineEdit *m_link;
    QPushButton *m_external;
    QPushButton *m_internal;
    QLabel *m_normalPreview;
    QLabel *m_overPreview;
    QLabel *m_tryPreview;
    QSize m_normalSize;

private:
    void chooseLink(bool external);
    void refresh();
};
