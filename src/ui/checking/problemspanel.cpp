#include "ui/checking/problemspanel.h"

#include "core/messages/messages.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

enum Column { LineColumn, ColumnColumn, TypeColumn, TextColumn, ColumnCount };

bool isError(const HtmlProblem &problem)
{
    return problem.severity == HtmlProblem::Severity::Error;
}

} // namespace

void ProblemsModel::setProblems(QList<HtmlProblem> problems)
{
    beginResetModel();
    m_problems = std::move(problems);
    endResetModel();
}

int ProblemsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_problems.size());
}

int ProblemsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProblemsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_problems.size())
        return {};
    const HtmlProblem &p = m_problems[index.row()];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case LineColumn:
            return p.line + 1;
        case ColumnColumn:
            return p.column + 1;
        case TypeColumn:
            return msg(isError(p) ? 9700 : 9701);
        default:
            return p.text;
        }
    }
    if (role == Qt::DecorationRole && index.column() == TypeColumn)
        return QApplication::style()->standardIcon(isError(p) ? QStyle::SP_MessageBoxCritical
                                                              : QStyle::SP_MessageBoxWarning);
    return {};
}

QVariant ProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= ColumnCount)
        return {};
    return msg(9710 + section);
}

ProblemsPanel::ProblemsPanel(QWidget *parent)
    : QDockWidget(msg(9702), parent)
    , m_summary(new QLabel(this))
    , m_list(new QTreeView(this))
    , m_model(this)
{
    setObjectName(QStringLiteral("problemsPanel"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_list->setModel(&m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setStretchLastSection(true);
    m_list->setAccessibleName(msg(9702));
    // Room for the widest numbers and the longer severity word.
    const QFontMetrics metrics(m_list->font());
    m_list->setColumnWidth(LineColumn, metrics.horizontalAdvance(QStringLiteral("99999999")));
    m_list->setColumnWidth(ColumnColumn, metrics.horizontalAdvance(QStringLiteral("999999")));
    m_list->setColumnWidth(TypeColumn, metrics.horizontalAdvance(msg(9701)) + 48);

    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(m_summary);
    layout->addWidget(m_list);
    setWidget(content);
    setFocusProxy(m_list);

    // activated: double click, and Enter or Return on the current row.
    connect(m_list, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        const HtmlProblem &p = m_model.problem(index.row());
        emit problemChosen(p.line, p.column);
    });
    auto *leave = new QShortcut(QKeySequence(Qt::Key_Escape), m_list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(leave, &QShortcut::activated, this, &ProblemsPanel::leaveRequested);
}

void ProblemsPanel::showChecking()
{
    m_summary->setText(msg(9706));
}

void ProblemsPanel::showNoPage()
{
    m_model.setProblems({});
    m_summary->setText(msg(9714));
}

void ProblemsPanel::showResult(HtmlCheck check)
{
    const QString version = check.htmlVersion.isEmpty() ? msg(9715) : check.htmlVersion;
    const qsizetype total = check.problems.size() + check.omitted;
    QString text =
        total == 0 ? msg(9708).arg(version) : msg(9707).arg(version).arg(check.errors).arg(total - check.errors);
    if (check.omitted > 0)
        text += msg(9709).arg(check.omitted);
    m_summary->setText(text);
    m_model.setProblems(std::move(check.problems));
}
