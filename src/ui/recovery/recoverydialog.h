#pragma once

#include "ui/dialogs/elementdialog.h"

#include <QStringList>

class QListWidget;

// The question about the pages an ended program left unsaved: their names in
// a scrollable list, so that "&Oui" (reopen them) and "&Non" (delete their
// copies) stay in reach however many there are.
class RecoveryDialog : public ElementDialog
{
    Q_OBJECT
public:
    RecoveryDialog(DialogServices &services, const QStringList &captions, QWidget *parent = nullptr);

    QListWidget *pageList() const { return m_pages; }

private:
    QListWidget *m_pages;
};
