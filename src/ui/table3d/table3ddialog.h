#pragma once

#include "core/table3d/table3d.h"
#include "ui/dialogs/elementdialog.h"

#include <functional>

class ColorSwatchButton;
class DocumentHost;
class QComboBox;
class QPlainTextEdit;
class Table3dPreview;
class TTableFrm;

// "Tableau 3D": a text in a box of coloured cells that look raised and
// shadowed. OK writes the table at the caret as one undo step.
class TTable3dFrm : public ElementDialog
{
    Q_OBJECT
public:
    explicit TTable3dFrm(DialogServices &services, QWidget *parent = nullptr);

    Table3dSettings settings() const;

    QPlainTextEdit *textEdit() const { return m_text; }
    QComboBox *fontNameBox() const { return m_fontName; }
    QComboBox *fontSizeBox() const { return m_fontSize; }
    ColorSwatchButton *textSwatch() const { return m_textColor; }
    ColorSwatchButton *faceSwatch() const { return m_faceColor; }
    ColorSwatchButton *shadowSwatch() const { return m_shadowColor; }
    QWidget *preview() const;
    QString helpAnchor() const override { return QStringLiteral("table3d"); }

protected:
    bool confirm() override;

private:
    void sizeChanged();

    QPlainTextEdit *m_text;
    QComboBox *m_fontName;
    QComboBox *m_fontSize;
    ColorSwatchButton *m_textColor;
    ColorSwatchButton *m_faceColor;
    ColorSwatchButton *m_shadowColor;
    Table3dPreview *m_preview;
};

// The 3D-table command: a table selected in the page (without a second one
// inside it) reopens in the table designer; otherwise the selection
// collapses to its start and the dialog opens. The exec functions show the
// dialogs (modal by default; tests drive them).
void RunTable3dCommand(DocumentHost &host, DialogServices &services,
                       const std::function<int(TTable3dFrm &)> &exec3d = {},
                       const std::function<int(TTableFrm &)> &execTable = {});
