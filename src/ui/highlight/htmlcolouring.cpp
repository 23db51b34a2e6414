#include "ui/highlight/htmlcolouring.h"

#include "core/highlight/highlightcolours.h"
#include "ui/text/editorwidget.h"

#include <QEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// What a block was last coloured from; a block without it has no colours.
struct ColouredBlock : QTextBlockUserData
{
    ColouredBlock(int start, int gen)
        : startState(start)
        , generation(gen)
    {}
    int startState;
    int generation;
};

ColouredBlock *colouredOf(const QTextBlock &block)
{
    return static_cast<ColouredBlock *>(block.userData());
}

} // namespace

HtmlColouring::HtmlColouring(EditorWidget *editor)
    : QObject(editor)
    , m_editor(editor)
    , m_viewport(editor->viewport())
    , m_document(editor->document())
    , m_blockCount(m_document->blockCount())
{
    takeColoursFromPalette();
    connect(m_document, &QTextDocument::contentsChange, this, &HtmlColouring::contentsChanged);
    connect(m_editor, &EditorWidget::documentReplaced, this, &HtmlColouring::documentReplaced);
    m_editor->installEventFilter(this);
    m_viewport->installEventFilter(this);
    m_viewport->update();
}

HtmlColouring::~HtmlColouring()
{
    if (!m_document || !m_viewport)
        return; // the editor is going away with its text
    // Blocks without colours were never touched; the others lose theirs.
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        if (!colouredOf(block))
            continue;
        block.layout()->clearFormats();
        block.setUserData(nullptr);
        m_document->markContentsDirty(block.position(), block.length());
    }
    m_viewport->update();
}

void HtmlColouring::takeColoursFromPalette()
{
    const QPalette palette = m_editor->palette();
    const htmllex::Colours colours = htmllex::coloursFor(palette.color(QPalette::Text).rgb() & 0xFFFFFF,
                                                         palette.color(QPalette::Base).rgb() & 0xFFFFFF);
    for (int k = 0; k < htmllex::KindCount; ++k)
        m_formats[size_t(k)].setForeground(QColor::fromRgb(colours.of[size_t(k)]));
    ++m_generation;
}

bool HtmlColouring::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched == m_viewport && m_document)
        prepareVisible();
    else if (event->type() == QEvent::PaletteChange && watched == m_editor && m_viewport) {
        takeColoursFromPalette();
        m_viewport->update();
    }
    return QObject::eventFilter(watched, event);
}

void HtmlColouring::contentsChanged(int position, int /*removed*/, int added)
{
    const QTextBlock first = m_document->findBlock(position);
    QTextBlock last = m_document->findBlock(position + added);
    if (!last.isValid())
        last = m_document->lastBlock();
    const int blockCount = m_document->blockCount();
    const bool sameLines = blockCount == m_blockCount && first == last;
    m_blockCount = blockCount;
    if (!first.isValid())
        return;

    // Blocks inside the changed range are new and carry nothing; the first
    // and the last one keep their old colours, which no longer fit.
    for (QTextBlock block : {first, last})
        block.setUserData(nullptr);

    const int edited = first.blockNumber();
    if (sameLines && edited < m_validBlocks) {
        // A change within one line: the states below hold while this line
        // ends in the same state as before.
        // The line is coloured now: the layout that follows this signal
        // lays it out once with its colours, and the paint has nothing left
        // to do for it.
        QTextBlock block = first;
        const int before = block.userState();
        const int start = startStateOf(block);
        colourBlock(block, start, false);
        if (block.userState() != before)
            m_validBlocks = edited + 1;
        return;
    }
    m_validBlocks = std::min(m_validBlocks, edited);
}

void HtmlColouring::documentReplaced()
{
    // The old document went with its colours; the new one has none yet.
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = m_editor->document();
    m_validBlocks = 0;
    m_blockCount = m_document->blockCount();
    connect(m_document, &QTextDocument::contentsChange, this, &HtmlColouring::contentsChanged);
    if (m_viewport)
        m_viewport->update();
}

int HtmlColouring::startStateOf(const QTextBlock &block) const
{
    const QTextBlock previous = block.previous();
    return previous.isValid() ? previous.userState() : htmllex::StartState;
}

void HtmlColouring::computeStatesThrough(int blockNumber)
{
    if (blockNumber < m_validBlocks)
        return;
    QTextBlock block = m_document->findBlockByNumber(m_validBlocks);
    int state = startStateOf(block);
    for (; block.isValid() && block.blockNumber() <= blockNumber; block = block.next()) {
        state = htmllex::lexLine(block.text(), state, nullptr);
        block.setUserState(state);
        ++m_validBlocks;
    }
}

void HtmlColouring::prepareVisible()
{
    QTextBlock block = m_document->findBlockByNumber(m_editor->firstVisibleBlockNumber());
    const QTextBlock lastVisible = m_editor->cursorForPosition(QPoint(0, m_viewport->height())).block();
    if (!block.isValid() || !lastVisible.isValid())
        return;
    // One block beyond, for a line cut by the bottom edge.
    const int last = std::min(lastVisible.blockNumber() + 1, m_document->blockCount() - 1);
    computeStatesThrough(last);
    for (; block.isValid() && block.blockNumber() <= last; block = block.next()) {
        const int start = startStateOf(block);
        const ColouredBlock *coloured = colouredOf(block);
        if (coloured && coloured->startState == start && coloured->generation == m_generation)
            continue;
        colourBlock(block, start, true);
    }
}

void HtmlColouring::colourBlock(QTextBlock &block, int startState, bool relayout)
{
    m_tokens.clear();
    block.setUserState(htmllex::lexLine(block.text(), startState, &m_tokens));
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(qsizetype(m_tokens.size()));
    for (const htmllex::Token &token : m_tokens)
        ranges.append(QTextLayout::FormatRange{token.start, token.length, m_formats[size_t(token.kind)]});
    block.layout()->setFormats(ranges);
    block.setUserData(new ColouredBlock(startState, m_generation));
    if (relayout)
        m_document->markContentsDirty(block.position(), block.length());
}
