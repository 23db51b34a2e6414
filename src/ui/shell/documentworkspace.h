#pragma once

#include <QIcon>
#include <QList>
#include <QWidget>

class DocumentWindow;
class QMdiArea;
class QMdiSubWindow;
class QTabBar;
class QVBoxLayout;

// The area that holds the document windows, always maximised, and above them
// the panel with the tab strip (one tab per document) and the margin ruler.
// Each document stores the index of its tab; tabs and documents correspond
// one to one.
class DocumentWorkspace : public QWidget
{
    Q_OBJECT
public:
    explicit DocumentWorkspace(QWidget *parent = nullptr);

    DocumentWindow *activeDocument() const;
    // Every document in the order the windows were created.
    QList<DocumentWindow *> documents() const;
    int documentCount() const;

    // A new document window, maximised and active, without a tab yet.
    DocumentWindow *createDocument();
    // Destroys a document window (its tab must already be gone).
    void destroyDocument(DocumentWindow *document);
    // Brings a document to the front and selects its tab.
    void activate(DocumentWindow *document);
    // The next document in window order, for Ctrl+Tab and Ctrl+F6.
    void activateNext();

    // Appends a tab for the active document, selects it, and returns its index.
    int AddDocumentTab(const QString &fileName);
    // Deletes a tab and renumbers the documents after it.
    void RemoveDocumentTab(int index);
    // Sets the text of the selected tab.
    void SetDocumentTabCaption(const QString &fileName);

    QTabBar *tabBar() const { return m_tabs; }
    QWidget *panel() const { return m_panel; }
    // Places a widget (the ruler) under the tab strip.
    void setRulerWidget(QWidget *ruler);
    // Shows or hides the ruler; the panel becomes the tab strip's height,
    // plus the ruler's when shown, plus 1.
    void setRulerVisible(bool visible);

signals:
    // The user chose another tab, or another document came to the front.
    void activeDocumentChanged();
    // A document window was made (its text is set afterwards).
    void documentCreated(DocumentWindow *document);

private:
    void tabChosen(int index);
    // The tooltip (full path) and the modified mark of a document's tab.
    void decorateTab(int index, DocumentWindow *document);
    DocumentWindow *documentOf(QMdiSubWindow *window) const;

    QWidget *m_panel;
    QVBoxLayout *m_panelLayout;
    QTabBar *m_tabs;
    QWidget *m_ruler = nullptr;
    QMdiArea *m_area;
    bool m_switching = false;
    QIcon m_modifiedMark;
};
