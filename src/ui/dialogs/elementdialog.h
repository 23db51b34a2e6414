#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;
struct DialogServices;

// The frame every element dialog shares: the dialog's own fields on top,
// "OK", "Annuler" and "&Aide" below. A dialog derives from it, builds its
// fields into body() (or into pages of its own), and overrides confirm() to
// check them; OK closes the dialog only when confirm() returns true. "&Aide"
// opens the help window at helpPage and helpAnchor().
//
//   class TitleDialog : public ElementDialog {
//       TitleDialog(DialogServices &s, QWidget *p) : ElementDialog(s, msg(527), "titre.html", p) {
//           QFormLayout *form = addForm(body());
//           m_title = addField(form, "Titre du document HTML:", lineEdit(256));
//       }
//       bool confirm() override { ...; return true; }
//   };
class ElementDialog : public QDialog
{
    Q_OBJECT
public:
    ElementDialog(DialogServices &services, const QString &caption, const QString &helpPage, QWidget *parent = nullptr);

    DialogServices &services() const { return m_services; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *helpButton() const { return m_help; }
    // The button row, for a dialog's own extra buttons (the links' "&Script").
    QDialogButtonBox *buttonBox() const { return m_buttons; }
    // The layout above the buttons, where a dialog puts its fields or pages.
    QVBoxLayout *body() const { return m_body; }

    // The help page's anchor; multi-page dialogs return the current page's.
    virtual QString helpAnchor() const { return QString(); }
    QString helpPage() const { return m_helpPage; }

    // Field helpers. Each field gets its caption as a buddy label ("&" marks
    // the Alt+letter that reaches it); fields are created in layout order so
    // that the tab order follows the layout.

    // A two-column form (captions left, fields right) added to layout.
    static QFormLayout *addForm(QVBoxLayout *layout);
    // Adds the row caption + field (and, when given, a button right of the
    // field); returns field for chaining.
    template<typename Field>
    Field *addField(QFormLayout *form, const QString &caption, Field *field, QWidget *button = nullptr)
    {
        addFieldRow(form, caption, field, button);
        return field;
    }
    QLabel *addFieldRow(QFormLayout *form, const QString &caption, QWidget *field, QWidget *button = nullptr);
    // A one-line field of at most maxLength characters.
    QLineEdit *lineEdit(int maxLength);
    // An editable combo box that keeps the last values chosen in it
    // (remember() adds its text), at most maxLength characters.
    QComboBox *historyCombo(int maxLength);
    static void remember(QComboBox *combo);
    // A wrapped explanatory text.
    QLabel *note(const QString &text);

    // Browsing. browseFile() shows the open dialog with a catalogue filter
    // (message 3000, HTML pages, by default) and returns the chosen file as
    // a path relative to the page, empty when cancelled or refused;
    // lastBrowsedFile() is the absolute name chosen last. The picture filter
    // (message 3003) opens the graphic file picker instead.
    QString browseFile(const QString &filter = QString());
    QString lastBrowsedFile() const { return m_lastBrowsed; }
    // A "..." button that browses and puts the relative path into target (a
    // QLineEdit or a QComboBox, whose history records it).
    QToolButton *browseButton(QWidget *target, const QString &filter = QString());

    // Message 75 when the named file does not exist beside the page: true
    // to go on (file present or the user said Yes), false to stay.
    bool confirmExistingFile(const QString &name);

protected:
    // Checks the fields when OK is pressed; returning false keeps the dialog
    // open with its fields (after telling the user why).
    virtual bool confirm() { return true; }

private:
    void okClicked();
    void helpClicked();

    DialogServices &m_services;
    QString m_helpPage;
    QString m_lastBrowsed;
    QVBoxLayout *m_body;
    QDialogButtonBox *m_buttons;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPushButton *m_help;
};
