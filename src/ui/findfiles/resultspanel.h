#pragma once

#include "core/findfiles/filesearch.h"

#include <QDockWidget>
#include <QStandardItemModel>

class QLabel;
class QPushButton;
class QTreeView;

// Where a result sends the caret: a page and a span in the editor's lines.
struct ResultPlace
{
    QString path;
    int line = 0;
    qsizetype column = 0;
    int endLine = 0;
    qsizetype endColumn = 0;
};

// The dockable "Résultats de la recherche" panel: a summary line with a
// stop button over the pages found, each with its matching lines (the
// match drawn in bold on a highlight). Double click or Enter on a line, or
// on a page for its first match, asks for the page at that place.
class ResultsPanel : public QDockWidget
{
    Q_OBJECT
public:
    explicit ResultsPanel(QWidget *parent = nullptr);

    void start(const QString &pattern);
    void addFile(const FileResult &result);
    void finish(const QString &summary);

    QTreeView *list() const { return m_list; }
    QLabel *summary() const { return m_summary; }
    QPushButton *stopButton() const { return m_stop; }
    const QStandardItemModel &model() const { return m_model; }

signals:
    void placeChosen(const ResultPlace &place);
    void stopRequested();
    // Escape in the list: the keyboard goes back to the page.
    void leaveRequested();

private:
    QLabel *m_summary;
    QPushButton *m_stop;
    QTreeView *m_list;
    QStandardItemModel m_model;
    qsizetype m_shownLines = 0;
};

// Lines listed in all, beyond which pages are listed with their count only:
// the list stays quick to fill and to scroll.
inline constexpr qsizetype MaxListedLines = 20000;
