#pragma once

#include <QList>
#include <QObject>

#include <memory>

class DocumentWindow;
class EditorWidget;
class MainWindow;
class PageSpelling;
class QAction;
class QMenu;
class QPoint;
class SpellingService;

// "Vérification &orthographique" in the Options menu (stored in the
// settings, on by default): every document window shown gets its spelling
// (PageSpelling), and the editor's pop-up menu offers, on an underlined
// word, up to six replacements, "Ignorer" and "Ajouter au dictionnaire".
// Without a French dictionary the item is greyed and nothing is checked.
class SpellingCommand : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxSuggestions = 6;

    SpellingCommand(MainWindow &frame, std::shared_ptr<SpellingService> service);

    QAction *action() const { return m_action; }
    SpellingService &service() const { return *m_service; }
    // Another dictionary folder or personal list (tests): the pages are
    // checked again with it.
    void setService(std::shared_ptr<SpellingService> service);
    bool isActive() const;
    void setEnabled(bool on);

    // The spelling of an editor, null when it has none.
    static PageSpelling *spellingOf(EditorWidget *editor);
    // The pop-up menu's entries for a click in editor.
    QList<QAction *> menuEntries(QWidget *editor, const QPoint &viewportPoint, QMenu *menu);

    // Replaces the marked word at line, column by replacement, as one undo
    // step; nothing when the text there is no longer word.
    void replaceWord(EditorWidget *editor, int line, int column, const QString &word, const QString &replacement);
    void ignore(const QString &word);
    void addToDictionary(const QString &word);

private:
    void attach(DocumentWindow *document);
    void attachAll();
    void wordAccepted(const QString &word);

    MainWindow &m_frame;
    std::shared_ptr<SpellingService> m_service;
    QAction *m_action;
};

// The Options menu item after the HTML colouring's, the pop-up menu's
// entries, and the spelling of the document windows, with the personal
// word list in the user's data folder.
SpellingCommand *installSpellingCommands(MainWindow &frame);
