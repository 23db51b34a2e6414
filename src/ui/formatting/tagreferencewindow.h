#pragma once

#include "core/formatting/tagreference.h"

#include <QWidget>

class DocumentHost;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The HTML tag reference, a tool window that stays on top of the frame
// window: the entries of "htmldesc.ref" with the description of the selected
// one, letter buttons that jump to the tags of a letter, and insertion of
// the chosen entry (double click or Enter) into the active page.
class TTagFrm : public QWidget
{
    Q_OBJECT
public:
    // Reads the reference file beside the program, or at path when given. A
    // file that is missing or damaged is reported and leaves the list empty.
    explicit TTagFrm(DocumentHost &host, QWidget *parent = nullptr, const QString &path = QString());

    QListWidget *list() const { return m_list; }
    QPlainTextEdit *description() const { return m_description; }
    QPushButton *letterButton(QChar letter) const;

    // Inserts the entry at index into the active page.
    void insertEntry(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void entrySelected(int index);
    void letterClicked(QChar letter);

    DocumentHost &m_host;
    TagReference m_reference;
    QListWidget *m_list;
    QPlainTextEdit *m_description;
    QList<QPushButton *> m_letters;
};

// Where the program reads the reference file: beside the executable.
QString tagReferencePath();
