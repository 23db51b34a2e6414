#pragma once

#include "core/frameset/framesetlayout.h"
#include "ui/dialogs/elementdialog.h"

#include <memory>

class EventsDialog;
class FrameSketch;
class QAction;
class QCheckBox;
class QSpinBox;
class QToolButton;

// "Définition des cadres": the frameset designer. The author sets the
// number of columns and rows, merges frames on the sketch, gives each frame
// its properties and presses OK; the layout is written at the caret of the
// active page as nested FRAMESETs, one undo step.
class TFrameFrm : public ElementDialog
{
    Q_OBJECT
public:
    explicit TFrameFrm(DialogServices &services, QWidget *parent = nullptr);
    ~TFrameFrm() override;

    FramesetLayout &layout() { return m_layout; }
    FramesetAttributes &attributes() { return m_attributes; }
    FrameSketch *sketch() const { return m_sketch; }
    QSpinBox *columnSpin() const { return m_columns; }
    QSpinBox *rowSpin() const { return m_rows; }
    QCheckBox *noFramesBox() const { return m_noFrames; }
    EventsDialog &events();

    // The commands of the tool row and the sketch's pop-up menu.
    void mergeFrames(); // message 46 when fewer than two frames are selected
    void editFrame();   // message 47 unless exactly one frame is selected
    void editFramesetAttributes();
    void clearAll();
    QAction *mergeAction() const { return m_merge; }
    QAction *propertiesAction() const { return m_properties; }
    QAction *addRowAction() const { return m_addRow; }
    QAction *addColumnAction() const { return m_addColumn; }
    QAction *removeRowAction() const { return m_removeRow; }
    QAction *removeColumnAction() const { return m_removeColumn; }

    // Runs a frame properties dialog before it is shown (tests answer it).
    std::function<void(QDialog &)> beforeSubDialog;

protected:
    bool confirm() override;

private:
    QAction *addCommand(const QString &text, const QKeySequence &key, void (TFrameFrm::*slot)());
    void countsChanged();
    void refresh();
    int runSubDialog(QDialog &dialog);

    FramesetLayout m_layout;
    FramesetAttributes m_attributes;
    std::unique_ptr<EventsDialog> m_events;
    FrameSketch *m_sketch;
    QSpinBox *m_columns;
    QSpinBox *m_rows;
    QCheckBox *m_noFrames;
    QToolButton *m_maximise;
    QAction *m_merge;
    QAction *m_properties;
    QAction *m_addRow;
    QAction *m_addColumn;
    QAction *m_removeRow;
    QAction *m_removeColumn;
};
