#pragma once

#include "core/completion/tagscan.h"
#include "ui/text/textview.h"

#include <QObject>
#include <QPointer>
#include <QTextCharFormat>
#include <QTimer>

#include <optional>

class EditorWidget;

// Marks both names of a tag and its match while the caret is in a tag
// name, laid over the editor's colours. The search is bounded: past its
// limit the tag stays unmarked. It runs once the caret has rested a moment,
// so that typing a tag's name does not pay for a search at each letter.
class TagMatchMarks : public QObject, public LineFormats
{
    Q_OBJECT
public:
    explicit TagMatchMarks(EditorWidget *editor);
    ~TagMatchMarks() override;

    QList<QTextLayout::FormatRange> formats(int line, int from, int to) override;

    // The marked names (none, or both), for tests.
    QList<tagscan::TagMark> marks() const;
    // Looks for the match at the caret now.
    void update();
    // Time the caret rests before the search.
    static constexpr int DelayMs = 120;

private:
    void release();
    void repaintMarks();

    QPointer<EditorWidget> m_editor;
    std::optional<tagscan::TagMark> m_at;
    std::optional<tagscan::TagMark> m_match;
    QTextCharFormat m_format;
    QTimer m_delay;
};
