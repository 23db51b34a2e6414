#pragma once

#include "core/completion/completioncontext.h"

#include <QObject>
#include <QPointer>

class EditorText;
class EditorWidget;
class QListWidget;
class TagCatalog;
class UndoHistory;
struct Settings;

// Completion in one editor. After "<" and a letter it lists the element
// names, in a start tag after a blank the element's attribute names, after
// "</" the end tag of the innermost open element. Typing on filters the
// list; Enter or Tab puts the chosen name in place of the letters typed
// (one undo step with them), Esc puts the list away for that word. The
// list never takes the keyboard: the editor keeps it and this object
// answers the list's keys before the editor's own handlers.
class TagCompleter : public QObject
{
    Q_OBJECT
public:
    // The catalog and the settings outlive this object; it lives as long as
    // the editor's document (text and history).
    TagCompleter(EditorWidget *editor, EditorText &text, UndoHistory &history, const TagCatalog &catalog,
                 const Settings &settings, QObject *parent);
    ~TagCompleter() override;

    QListWidget *list() const { return m_list; }
    bool isShown() const;
    // Looks at the caret again (after an edit or a move); may show the list
    // when mayOpen.
    void refresh(bool mayOpen);
    void accept();
    void dismiss();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void contentsChanged(int from, int removed, int added);
    void refreshLater(bool mayOpen);
    void hide();
    void release();

    QPointer<EditorWidget> m_editor;
    EditorText &m_text;
    UndoHistory &m_history;
    const TagCatalog &m_catalog;
    const Settings &m_settings;
    QListWidget *m_list;
    CompletionContext m_context;
    // The word Esc put the list away for: its line, start and kind.
    int m_dismissedLine = -1;
    CompletionContext m_dismissed;
    // Where the last few characters typed or pasted end.
    int m_typedEnd = -1;
    bool m_refreshQueued = false;
    bool m_queuedMayOpen = false;
};
