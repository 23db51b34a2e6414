#pragma once

#include "core/text/search.h"

#include <QDialog>
#include <QRect>

class DocumentHost;
class DocumentText;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

// Where the find dialog goes so that it does not hide the match: near the
// bottom of the main window when the caret line is in the upper half of the
// visible lines, near the top otherwise. Returns the dialog's new top.
int dialogTopAwayFromCaret(int caretLine, int visibleLines, const QRect &mainFrame, int dialogHeight);

// The modeless find and replace dialog. It stays on top of the main window,
// works on whichever document is active, and keeps the last eight search
// and replacement texts.
class TRechercheFrm : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { Find, Replace };

    explicit TRechercheFrm(DocumentHost &host, QWidget *parent = nullptr);

    // Find mode hides the replacement text and "Remplacer &tous"; switching
    // forgets the selected match.
    void setMode(Mode mode);
    Mode mode() const { return m_mode; }
    // Shows the dialog in a mode with the focus on the search text; a new
    // cycle of searches begins.
    void present(Mode mode);

    // The buttons.
    void findClicked();
    void replaceClicked();
    void replaceAllClicked();
    // "Répéter e&ncore": the last search (or replacement) once more.
    void repeatSearch();

    // Searches the active document and selects the match; unless quiet,
    // brings the main window forward and moves the dialog off the match.
    bool FindNext(const QString &text, bool global, bool quiet, bool matchCase, bool wholeWord);

    const SearchState &searchState() const { return m_state; }
    // The text "Répéter e&ncore" would search for.
    QString searchText() const;
    // The context menu of a combo's text: cut, copy, paste, delete. The
    // caller owns it.
    QMenu *createComboMenu(QComboBox *combo);

signals:
    // "&Aide": the help topic to show.
    void helpRequested(int topic);

protected:
    void showEvent(QShowEvent *event) override;

private:
    DocumentText *activeText();
    SearchOptions options() const;
    bool global() const;
    void addToHistory(QComboBox *combo);
    void forgetMatch();
    // Shows why the expression cannot be used, in the dialog, and returns
    // false; true when the search text can be searched for.
    bool checkPattern();
    // Tells that the last search was stopped (the expression took too long).
    bool reportStopped();
    void moveAwayFromMatch();
    QComboBox *makeCombo(const QString &name);

    DocumentHost &m_host;
    Mode m_mode = Mode::Find;
    SearchState m_state;
    DocumentText *m_lastText = nullptr;
    bool m_updatingHistory = false;

    QComboBox *m_findCombo;
    QLabel *m_replaceLabel;
    QComboBox *m_replaceCombo;
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeWord;
    QCheckBox *m_regex;
    QLabel *m_patternError;
    QRadioButton *m_global;
    QRadioButton *m_downward;
    QPushButton *m_findButton;
    QPushButton *m_replaceButton;
    QPushButton *m_replaceAllButton;
    QPushButton *m_helpButton;
    QPushButton *m_closeButton;
};
