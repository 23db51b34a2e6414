#pragma once

#include "core/checking/htmlcheck.h"

#include <QAbstractTableModel>
#include <QDockWidget>

class QLabel;
class QTreeView;

// The problems of one check as rows: line, column (both from 1), severity
// and libtidy's text.
class ProblemsModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setProblems(QList<HtmlProblem> problems);
    const HtmlProblem &problem(int row) const { return m_problems[row]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<HtmlProblem> m_problems;
};

// The dockable "Problèmes" panel: which version the page was checked
// against and a summary above the list of problems. Double click or Enter
// on a row asks for the caret there; Escape gives the keyboard back.
class ProblemsPanel : public QDockWidget
{
    Q_OBJECT
public:
    explicit ProblemsPanel(QWidget *parent = nullptr);

    void showChecking();
    void showNoPage();
    void showResult(HtmlCheck check);

    QTreeView *list() const { return m_list; }
    QLabel *summary() const { return m_summary; }
    const ProblemsModel &model() const { return m_model; }

signals:
    // Line and column in the page's counting, from 0.
    void problemChosen(int line, int column);
    void leaveRequested();

private:
    QLabel *m_summary;
    QTreeView *m_list;
    ProblemsModel m_model;
};
