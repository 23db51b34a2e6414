#pragma once

#include "core/tagcommands/tagcommandrun.h"

#include <functional>

class QWidget;

// The colour command's chooser shown as the standard colour dialog.
class ColourDialogChooser : public ColourChooser
{
public:
    // parent is asked each time the dialog opens (the frame window may
    // change while the program runs).
    explicit ColourDialogChooser(std::function<QWidget *()> parent)
        : m_parent(std::move(parent))
    {}

    bool chooseColour(quint32 initial, quint32 &chosen) override;

private:
    std::function<QWidget *()> m_parent;
};
