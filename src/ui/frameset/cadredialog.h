#pragma once

#include "core/frameset/frameproperties.h"
#include "ui/dialogs/elementdialog.h"

class ColorSwatchButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QTabWidget;

// The frame properties dialog in its three uses: one frame of the frameset
// designer, the frameset-wide attributes of that designer, and the single
// inline frame. It edits field values only; its user stores or writes them
// after OK.
class TCadreFrm : public ElementDialog
{
    Q_OBJECT
public:
    enum class Mode { Frame, Frameset, IFrame };

    TCadreFrm(DialogServices &services, Mode mode, QWidget *parent = nullptr);

    Mode mode() const { return m_mode; }

    void setFrameFields(const FrameFields &fields);
    FrameFields frameFields() const;
    void setFramesetFields(const FramesetFields &fields);
    FramesetFields framesetFields() const;

    QString helpAnchor() const override;
    QTabWidget *pages() const { return m_pages; }

protected:
    bool confirm() override;

private:
    void buildFramePages();
    void buildFramesetPage();
    QLineEdit *correctedEdit(QString (*fix)(const QString &), int maxLength);

    Mode m_mode;
    QTabWidget *m_pages;
    // Frame pages.
    QComboBox *m_source = nullptr;
    QLineEdit *m_name = nullptr;
    QButtonGroup *m_scrolling = nullptr;
    QLineEdit *m_marginHeight = nullptr;
    QLineEdit *m_marginWidth = nullptr;
    QCheckBox *m_noResize = nullptr;
    QCheckBox *m_border = nullptr;
    ColorSwatchButton *m_borderColor = nullptr;
    QLineEdit *m_width = nullptr;
    QCheckBox *m_widthPercent = nullptr;
    QLineEdit *m_height = nullptr;
    QCheckBox *m_heightPercent = nullptr;
    QLineEdit *m_vspace = nullptr;
    QLineEdit *m_hspace = nullptr;
    QButtonGroup *m_align = nullptr;
    // Frameset page.
    QLineEdit *m_spacing = nullptr;
    QLineEdit *m_framesetBorder = nullptr;
    QCheckBox *m_framesetFrameBorder = nullptr;
    ColorSwatchButton *m_framesetColor = nullptr;
};
