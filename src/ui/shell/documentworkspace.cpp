#include "ui/shell/documentworkspace.h"

#include "ui/shell/documentwindow.h"
#include "ui/text/editorwidget.h"
#include "core/shell/tabtext.h"

#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QTabBar>
#include <QVBoxLayout>

DocumentWorkspace::DocumentWorkspace(QWidget *parent)
    : QWidget(parent)
    , m_panel(new QWidget(this))
    , m_panelLayout(new QVBoxLayout(m_panel))
    , m_tabs(new QTabBar(m_panel))
    , m_area(new QMdiArea(this))
{
    m_panelLayout->setContentsMargins(0, 0, 0, 1);
    m_panelLayout->setSpacing(0);
    m_tabs->setDrawBase(true);
    m_tabs->setExpanding(false);
    m_tabs->setDocumentMode(true);
    m_panelLayout->addWidget(m_tabs);
    m_panel->hide();

    m_area->setViewMode(QMdiArea::SubWindowView);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->setActivationOrder(QMdiArea::CreationOrder);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_panel);
    layout->addWidget(m_area, 1);

    connect(m_tabs, &QTabBar::currentChanged, this, &DocumentWorkspace::tabChosen);
    connect(m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        DocumentWindow *document = documentOf(window);
        if (!document || m_switching)
            return;
        if (document->DocumentTabIndex >= 0 && m_tabs->currentIndex() != document->DocumentTabIndex) {
            m_switching = true;
            m_tabs->setCurrentIndex(document->DocumentTabIndex);
            m_switching = false;
            emit activeDocumentChanged();
        }
    });
}

namespace {

// The mark of a modified page on its tab: a small round dot.
QIcon modifiedMark()
{
    QPixmap dot(12, 12);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x80, 0x30, 0x00));
    painter.setBrush(QColor(0xE0, 0x60, 0x10));
    painter.drawEllipse(QRectF(2.5, 2.5, 7, 7));
    return QIcon(dot);
}

} // namespace

void DocumentWorkspace::decorateTab(int index, DocumentWindow *document)
{
    if (!document || index < 0 || index >= m_tabs->count())
        return;
    m_tabs->setTabToolTip(index, document->caption());
    if (m_modifiedMark.isNull())
        m_modifiedMark = modifiedMark();
    m_tabs->setTabIcon(index, document->text().isModified() ? m_modifiedMark : QIcon());
}

DocumentWindow *DocumentWorkspace::documentOf(QMdiSubWindow *window) const
{
    return window ? qobject_cast<DocumentWindow *>(window->widget()) : nullptr;
}

DocumentWindow *DocumentWorkspace::activeDocument() const
{
    QMdiSubWindow *window = m_area->currentSubWindow();
    if (!window) {
        // The area forgets its current window while the application is
        // inactive; the selected tab still names the document in front.
        const int tab = m_tabs->currentIndex();
        for (DocumentWindow *document : documents()) {
            if (document->DocumentTabIndex == tab)
                return document;
        }
        const auto all = documents();
        return all.isEmpty() ? nullptr : all.last();
    }
    return documentOf(window);
}

QList<DocumentWindow *> DocumentWorkspace::documents() const
{
    QList<DocumentWindow *> result;
    for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (DocumentWindow *document = documentOf(window))
            result.append(document);
    }
    return result;
}

int DocumentWorkspace::documentCount() const
{
    return int(m_area->subWindowList().size());
}

DocumentWindow *DocumentWorkspace::createDocument()
{
    auto *document = new DocumentWindow;
    // The tab shows the full path as its tooltip and a mark while modified.
    const auto decorate = [this, document] { decorateTab(document->DocumentTabIndex, document); };
    connect(document, &DocumentWindow::captionChanged, this, decorate);
    connect(document->editor(), &TextView::modificationChanged, this, decorate);
    QMdiSubWindow *window = m_area->addSubWindow(document, Qt::FramelessWindowHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showMaximized();
    m_area->setActiveSubWindow(window);
    document->editor()->setFocus();
    emit documentCreated(document);
    return document;
}

void DocumentWorkspace::destroyDocument(DocumentWindow *document)
{
    for (QMdiSubWindow *window : m_area->subWindowList()) {
        if (window->widget() == document) {
            m_area->removeSubWindow(window);
            window->deleteLater();
            document->deleteLater();
            document->setParent(nullptr);
            break;
        }
    }
    if (DocumentWindow *next = activeDocument())
        activate(next);
}

void DocumentWorkspace::activate(DocumentWindow *document)
{
    for (QMdiSubWindow *window : m_area->subWindowList()) {
        if (window->widget() == document) {
            m_switching = true;
            m_area->setActiveSubWindow(window);
            window->showMaximized();
            if (document->DocumentTabIndex >= 0)
                m_tabs->setCurrentIndex(document->DocumentTabIndex);
            m_switching = false;
            document->editor()->setFocus();
            return;
        }
    }
}

void DocumentWorkspace::activateNext()
{
    const auto all = documents();
    if (all.size() < 2)
        return;
    const qsizetype at = all.indexOf(activeDocument());
    activate(all.at((at + 1) % all.size()));
    emit activeDocumentChanged();
}

int DocumentWorkspace::AddDocumentTab(const QString &fileName)
{
    m_switching = true;
    const int index = m_tabs->addTab(documentTabText(fileName));
    m_tabs->setCurrentIndex(index);
    m_switching = false;
    decorateTab(index, activeDocument());
    return index;
}

void DocumentWorkspace::RemoveDocumentTab(int index)
{
    m_switching = true;
    m_tabs->removeTab(index);
    for (DocumentWindow *document : documents()) {
        if (document->DocumentTabIndex > index)
            --document->DocumentTabIndex;
    }
    m_switching = false;
}

void DocumentWorkspace::SetDocumentTabCaption(const QString &fileName)
{
    m_tabs->setTabText(m_tabs->currentIndex(), documentTabText(fileName));
    decorateTab(m_tabs->currentIndex(), activeDocument());
}

void DocumentWorkspace::setRulerWidget(QWidget *ruler)
{
    m_ruler = ruler;
    m_panelLayout->addWidget(ruler);
}

void DocumentWorkspace::setRulerVisible(bool visible)
{
    if (m_ruler)
        m_ruler->setVisible(visible);
    const int rulerHeight = visible && m_ruler ? m_ruler->sizeHint().height() : 0;
    m_panel->setFixedHeight(m_tabs->sizeHint().height() + rulerHeight + 1);
}

void DocumentWorkspace::tabChosen(int index)
{
    if (m_switching || index < 0)
        return;
    for (DocumentWindow *document : documents()) {
        if (document->DocumentTabIndex == index) {
            activate(document);
            emit activeDocumentChanged();
            return;
        }
    }
}
