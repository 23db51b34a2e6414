#include "ui/completion/tagcompleter.h"

#include "core/completion/tagcatalog.h"
#include "core/messages/messages.h"
#include "core/settings/settings.h"
#include "ui/text/editortext.h"
#include "ui/text/editorwidget.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>

namespace {

// Rows the list shows before it scrolls.
constexpr int VisibleRows = 8;

} // namespace

TagCompleter::TagCompleter(EditorWidget *editor, EditorText &text, UndoHistory &history, const TagCatalog &catalog,
                           const Settings &settings, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_text(text)
    , m_history(history)
    , m_catalog(catalog)
    , m_settings(settings)
    , m_list(new QListWidget)
{
    // A window of its own that never takes the focus: the author keeps
    // typing in the editor.
    m_list->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    m_list->setAttribute(Qt::WA_ShowWithoutActivating);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setAccessibleName(msg(9902));
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_list, &QListWidget::itemClicked, this, [this] { accept(); });
    editor->installEventFilter(this);
    connect(editor, &TextView::contentsChange, this, &TagCompleter::contentsChanged);
    connect(editor, &TextView::cursorPositionChanged, this, [this] {
        if (isShown())
            refreshLater(false);
    });
    connect(editor, &TextView::storeReplaced, this, [this] {
        m_dismissedLine = -1;
        hide();
    });
    connect(editor, &EditorWidget::closing, this, &TagCompleter::release);
}

TagCompleter::~TagCompleter()
{
    release();
    delete m_list;
}

void TagCompleter::release()
{
    if (!m_editor)
        return;
    m_editor->removeEventFilter(this);
    disconnect(m_editor, nullptr, this, nullptr);
    m_editor = nullptr;
    m_list->hide();
}

bool TagCompleter::isShown() const
{
    return m_list->isVisible();
}

void TagCompleter::contentsChanged(int from, int removed, int added)
{
    // A key's worth of typing may open the list; a deletion only updates it.
    if (added > 0 && added <= 2 && removed <= 2) {
        m_typedEnd = from + added;
        refreshLater(true);
    } else if (isShown() || m_dismissedLine >= 0)
        refreshLater(false);
}

void TagCompleter::refreshLater(bool mayOpen)
{
    // After the key is handled and the caret has moved.
    m_queuedMayOpen = m_queuedMayOpen || mayOpen;
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshQueued = false;
            const bool mayOpen = m_queuedMayOpen;
            m_queuedMayOpen = false;
            refresh(mayOpen);
        },
        Qt::QueuedConnection);
}

void TagCompleter::refresh(bool mayOpen)
{
    if (!m_editor || !m_settings.tagCompletion || m_editor->hasSelection() || m_editor->isReadOnly()) {
        hide();
        return;
    }
    const LineStore &store = m_editor->store();
    const int position = m_editor->position();
    const int line = store.lineOf(position);
    const CompletionContext context = completionContext(store, line, position - store.lineStart(line));
    const bool dismissed =
        line == m_dismissedLine && context.kind == m_dismissed.kind && context.prefixColumn == m_dismissed.prefixColumn;
    // The word the list was put away for is over.
    if (context.kind == CompletionContext::None || line != m_dismissedLine)
        m_dismissedLine = -1;
    // Only typing at the caret opens the list, not a change made elsewhere.
    mayOpen = mayOpen && position == m_typedEnd;
    if (context.kind == CompletionContext::None || dismissed || (!isShown() && !mayOpen)) {
        hide();
        return;
    }
    const QStringList names = completionCandidates(m_catalog, context);
    // Nothing to offer, or only what is already written.
    if (names.isEmpty() || (names.size() == 1 && names.first() == context.prefix)) {
        hide();
        return;
    }
    m_context = context;
    // The chosen name stays chosen while the list narrows.
    const QString current = isShown() && m_list->currentItem() ? m_list->currentItem()->text() : QString();
    m_list->clear();
    m_list->addItems(names);
    m_list->setCurrentRow(std::max(0, int(names.indexOf(current))));

    // Under the caret, as wide as the longest name, kept on the screen.
    const QFontMetrics metrics(m_list->font());
    int width = 0;
    for (const QString &name : names)
        width = std::max(width, metrics.horizontalAdvance(name));
    const int rows = std::min<int>(VisibleRows, int(names.size()));
    const int rowHeight = std::max(m_list->sizeHintForRow(0), metrics.height());
    const QSize size(width + 4 * m_list->frameWidth() + 24 + (int(names.size()) > VisibleRows ? 16 : 0),
                     rows * rowHeight + 2 * m_list->frameWidth());
    const QRect caret = m_editor->caretRect();
    QPoint at = m_editor->viewport()->mapToGlobal(caret.bottomLeft());
    if (const QScreen *screen = m_editor->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + size.height() > area.bottom())
            at.setY(m_editor->viewport()->mapToGlobal(caret.topLeft()).y() - size.height());
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
    }
    m_list->setGeometry(QRect(at, size));
    if (!isShown()) {
        m_list->show();
        // Ahead of the editor's other filters, so that Enter, Tab and Esc
        // reach the list first while it shows.
        m_editor->installEventFilter(this);
    }
}

void TagCompleter::hide()
{
    m_list->hide();
}

void TagCompleter::dismiss()
{
    if (!m_editor || !isShown())
        return;
    m_dismissedLine = m_editor->store().lineOf(m_editor->position());
    m_dismissed = m_context;
    hide();
}

void TagCompleter::accept()
{
    if (!m_editor || !isShown() || !m_list->currentItem())
        return;
    const QString name = m_list->currentItem()->text();
    hide();
    acceptCompletion(m_text, m_history, int(m_context.prefix.size()), name);
    m_editor->ensureCaretVisible();
}

bool TagCompleter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_editor)
        return false;
    if (event->type() == QEvent::FocusOut) {
        hide();
        return false;
    }
    if (!isShown() || (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return false;
    const bool ours = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Tab
                      || key->key() == Qt::Key_Escape || key->key() == Qt::Key_Up || key->key() == Qt::Key_Down
                      || key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown;
    if (!ours)
        return false;
    // Keys typed quickly may come before the list caught up with the text:
    // it looks at the caret again, and lets the key through if the word is
    // over.
    if (m_refreshQueued)
        refresh(false);
    if (!isShown())
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // The list's keys are not the application's shortcuts while it shows.
        event->accept();
        return true;
    }
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        accept();
        break;
    case Qt::Key_Escape:
        dismiss();
        break;
    default: {
        const int step = key->key() == Qt::Key_Up       ? -1
                         : key->key() == Qt::Key_Down   ? 1
                         : key->key() == Qt::Key_PageUp ? -VisibleRows
                                                        : VisibleRows;
        m_list->setCurrentRow(std::clamp(m_list->currentRow() + step, 0, m_list->count() - 1));
        break;
    }
    }
    return true;
}
