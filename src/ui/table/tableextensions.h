#pragma once

#include "ui/dialogs/elementdialog.h"

class ColorSwatchButton;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;
struct TableAttrs;

// The table's extensions ("Extensions sur les tableaux": colours, picture,
// vertical alignment, frame and rules) or its caption ("Titre du tableau").
// OK stores the fields into the table settings; a picture that does not
// exist beside the page is questioned first (message 75).
class TTieFrm : public ElementDialog
{
    Q_OBJECT
public:
    enum class Pages { Table, Caption };

    TTieFrm(DialogServices &services, TableAttrs &attrs, Pages pages, QWidget *parent = nullptr);

    QString helpAnchor() const override;

    ColorSwatchButton *bgColorButton() const { return m_bgColor; }
    ColorSwatchButton *borderColorButton() const { return m_borderColor; }
    QComboBox *backgroundBox() const { return m_background; }
    QButtonGroup *vAlignGroup() const { return m_vAlign; }
    QButtonGroup *frameGroup() const { return m_frame; }
    QButtonGroup *rulesGroup() const { return m_rules; }
    QLineEdit *captionEdit() const { return m_caption; }
    QRadioButton *explorerButton() const { return m_explorer; }
    QButtonGroup *captionVAlignGroup() const { return m_captionVAlign; }
    QButtonGroup *captionAlignGroup() const { return m_captionAlign; }
    QGroupBox *captionAlignBox() const { return m_captionAlignBox; }

protected:
    bool confirm() override;

private:
    void buildTablePages();
    void buildCaptionPage();
    QButtonGroup *radioGroup(QGroupBox *box, const QStringList &items, int columns = 1);
    void showCaptionMode();

    TableAttrs &m_attrs;
    Pages m_pages;
    QTabWidget *m_tabs = nullptr;
    ColorSwatchButton *m_bgColor = nullptr;
    ColorSwatchButton *m_borderColor = nullptr;
    QComboBox *m_background = nullptr;
    QButtonGroup *m_vAlign = nullptr;
    QButtonGroup *m_frame = nullptr;
    QButtonGroup *m_rules = nullptr;
    QLineEdit *m_caption = nullptr;
    QRadioButton *m_netscape = nullptr;
    QRadioButton *m_explorer = nullptr;
    QButtonGroup *m_captionVAlign = nullptr;
    QButtonGroup *m_captionAlign = nullptr;
    QGroupBox *m_captionAlignBox = nullptr;
};
