#pragma once

#include "core/javascript/scriptwizards.h"

#include <QWidget>

class ElementDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// One page of the script wizards: its fields, its preview ("Esquisse") and
// what it writes into the page on OK.
class WizardPage : public QWidget
{
    Q_OBJECT
public:
    explicit WizardPage(ElementDialog &dialog, QWidget *parent = nullptr);

    // Writes the page's effect; false keeps the dialog open.
    virtual bool write(ScriptWizardContext &context) = 0;
    // Called every 10 ms while the page is shown, to animate the preview.
    virtual void tick(int elapsedMs) { Q_UNUSED(elapsedMs) }
    // The help page's anchor for this wizard.
    virtual QString anchor() const = 0;

protected:
    ElementDialog &dialog() const { return m_dialog; }
    // A picture file named in a field, as a path on disk: relative names are
    // taken from the page's folder.
    QString pictureOnDisk(const QString &name) const;
    // Shows the picture in preview scaled to size (its own size when size is
    // empty); a picture that cannot be read leaves the preview empty with a
    // short status in it. Returns the picture's own size, invalid on failure.
    QSize showPicture(QLabel *preview, const QString &name, QSize size = QSize()) const;

private:
    ElementDialog &m_dialog;
};

// Pieces the wizard pages' forms share.
namespace WizardForm {

// A caption with its Alt+letter: the "&" goes before the first occurrence
// of letter.
QString withKey(const QString &caption, QChar letter);
// The "Esquisse" group around a page's preview.
QGroupBox *previewBox(QWidget *parent, QWidget *content);
// A framed, centred area for a picture of at least size.
QLabel *picturePreview(QWidget *parent, QSize size);
QSpinBox *spinBox(QWidget *parent, int minimum, int maximum, int value);
QLineEdit *field(QWidget *parent, int maxLength);

} // namespace WizardForm
