#include "ui/tagcommands/colourdialogchooser.h"

#include <QColorDialog>

bool ColourDialogChooser::chooseColour(quint32 initial, quint32 &chosen)
{
    // Colours travel as 0x00BBGGRR: red in the lowest byte.
    const QColor start(int(initial & 0xFF), int((initial >> 8) & 0xFF), int((initial >> 16) & 0xFF));
    QColorDialog dialog(start, m_parent ? m_parent() : nullptr);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QColor c = dialog.selectedColor();
    if (!c.isValid())
        return false;
    chosen = quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
    return true;
}
