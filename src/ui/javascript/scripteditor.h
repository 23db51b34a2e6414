#pragma once

#include "core/javascript/wordlists.h"
#include "ui/dialogs/elementdialog.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;

// "Fonction JavaScript": edits one SCRIPT block beside reference lists of
// JavaScript words, then writes it into the page's HEAD section (or at the
// caret) as one undo step. Cancelling a modified script asks first.
class ScriptEditor : public ElementDialog
{
    Q_OBJECT
public:
    explicit ScriptEditor(DialogServices &services, QWidget *parent = nullptr);

    // Opens on a script: the caret at the start of its fourth line (inside
    // the function), the text counted as unmodified.
    void setScript(const QString &script);
    QString script() const;

    // Puts a word at the script's caret; with a selection, in front of the
    // selected text, which stays selected with the caret at its beginning.
    void insertWord(const QString &word);
    void showList(WordList list);
    WordList shownList() const { return m_list; }

    QPlainTextEdit *editor() const { return m_editor; }
    QListWidget *words() const { return m_words; }
    QCheckBox *headCheck() const { return m_head; }
    QRadioButton *version10() const { return m_v10; }
    QRadioButton *version11() const { return m_v11; }
    QPushButton *listButton(WordList list) const { return m_listButtons[int(list)]; }
    QLabel *description() const { return m_description; }
    QMenu *wordsMenu() const { return m_wordsMenu; }
    QMenu *editorMenu() const { return m_editorMenu; }
    QString statusText() const;

    void reject() override;

protected:
    bool confirm() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateStatus();
    void updateDescription();
    void showFullDescription();
    QString currentWord() const;

    QPlainTextEdit *m_editor;
    QListWidget *m_words;
    QLabel *m_description;
    QCheckBox *m_head;
    QRadioButton *m_v10;
    QRadioButton *m_v11;
    QPushButton *m_listButtons[WordListCount] = {};
    QStatusBar *m_status;
    QLabel *m_position;
    QLabel *m_mode;
    QMenu *m_wordsMenu;
    QMenu *m_editorMenu;
    QAction *m_showDescriptions;
    WordList m_list = WordList::Declarations;
};

// Shows the script editor on a script, modally (the events dialog's
// picture button and the new function command).
void runScriptEditor(DialogServices &services, QWidget *parent, const QString &script);

// The new function command: asks the name (the events dialog in name mode),
// then opens the script editor on the new function; nothing happens when
// the name is cancelled.
void NewFunctionCommand(DialogServices &services);

// The script text the new function command opens the editor on.
QString NewFunctionScript(const QString &name);
