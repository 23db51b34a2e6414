#include "ui/shell/documentwindow.h"
#include "core/shell/tabtext.h"

#include "ui/text/editorwidget.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>

QString folderOf(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

DocumentWindow::DocumentWindow(QWidget *parent)
    : QWidget(parent)
    , m_editor(new EditorWidget(this))
    , m_text(m_editor)
    , m_undo(m_text)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);
    m_editor->installEventFilter(this);
    m_editor->setMouseTracking(true);
    connect(m_editor, &TextView::cursorPositionChanged, this, &DocumentWindow::caretMoved);
    // The text stops counting as modified when it is saved or read again:
    // the history notes that this text is the one in the file.
    connect(m_editor, &TextView::modificationChanged, this, [this](bool modified) {
        if (!modified)
            m_undo.markSaved();
    });
}

DocumentWindow::~DocumentWindow()
{
    // The helpers that watch the editor's events (the typing recorder) go
    // first, then the editor, while the text contract and the history that
    // its watchers use are still whole.
    const QList<QObject *> helpers = findChildren<QObject *>(QString(), Qt::FindDirectChildrenOnly);
    for (QObject *helper : helpers) {
        if (!helper->isWidgetType() && helper != layout())
            delete helper;
    }
    delete m_editor;
    m_editor = nullptr;
}

void DocumentWindow::setCaption(const QString &caption)
{
    m_caption = caption;
    setWindowTitle(caption);
    emit captionChanged(caption);
}

bool DocumentWindow::hasFolder() const
{
    return !folderOf(m_caption).isEmpty();
}

QString DocumentWindow::fileName() const
{
    return fileNameWithoutFolder(m_caption);
}

void DocumentWindow::loadText(LineStore lines)
{
    // No record of the old text fits the new one.
    m_undo.clear();
    m_text.loadPage(std::move(lines));
    m_text.setSelectionStart(0);
    m_text.setModified(false);
}

bool DocumentWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Only mouse events reach the editor here: it is asked nothing while it
    // is being destroyed.
    const bool mouse = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove;
    if (watched == m_editor && mouse) {
        const int marginLeft = m_editor->viewport()->geometry().left();
        if (event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton && mouse->position().x() < marginLeft
                && lineSelectionClick(mouse->position().toPoint()))
                return true;
        } else if (event->type() == QEvent::MouseMove) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            // Left of the margin the pointer shows that a click selects a line.
            if (mouse->position().x() <= marginLeft - 6)
                m_editor->setCursor(Qt::PointingHandCursor);
            else
                m_editor->unsetCursor();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool DocumentWindow::lineSelectionClick(const QPoint &pos)
{
    const QPoint inViewport(0, pos.y() - m_editor->viewport()->geometry().top());
    const int line = m_editor->store().lineOf(m_editor->positionAt(inViewport));
    const bool somethingElseSelected = m_text.selectionLength() > 0
                                       && m_text.lineFromPosition(m_text.selectionStart()) != line;
    if (somethingElseSelected)
        m_text.setSelectionStart(m_text.lineStart(line));
    else
        m_text.select(m_text.lineStart(line), m_text.lineLength(line));
    m_editor->setFocus();
    emit caretMoved();
    return true;
}
