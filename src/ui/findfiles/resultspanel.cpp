#include "ui/findfiles/resultspanel.h"

#include "core/messages/messages.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

enum Role {
    MatchStartRole = Qt::UserRole + 1,
    MatchLengthRole,
    PathRole,
    LineRole,
    ColumnRole,
    EndLineRole,
    EndColumnRole,
};

// Draws a result line with its match in bold on the highlight colour.
class MatchDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QVariant start = index.data(MatchStartRole);
        if (!start.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(2, 0, -2, 0);

        const qsizetype from = std::clamp<qsizetype>(start.toLongLong(), 0, text.size());
        const qsizetype length = std::clamp<qsizetype>(index.data(MatchLengthRole).toLongLong(), 0, text.size() - from);
        QFont bold = item.font;
        bold.setBold(true);
        const bool selected = item.state & QStyle::State_Selected;
        painter->save();
        painter->setClipRect(area);
        painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const auto draw = [&](const QString &part, const QFont &font, bool marked) {
            const QFontMetrics metrics(font);
            const int width = metrics.horizontalAdvance(part);
            if (marked && !selected)
                painter->fillRect(QRect(area.left(), area.top(), width, area.height()), QColor(255, 230, 120));
            painter->setFont(font);
            painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, part);
            area.setLeft(area.left() + width);
        };
        draw(text.left(from), item.font, false);
        draw(text.mid(from, length), bold, true);
        draw(text.mid(from + length), item.font, false);
        painter->restore();
    }
};

QString shownLine(const QString &excerpt)
{
    QString line = excerpt;
    for (QChar &c : line)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = u' ';
    return line;
}

} // namespace

ResultsPanel::ResultsPanel(QWidget *parent)
    : QDockWidget(msg(9890), parent)
    , m_summary(new QLabel(this))
    , m_stop(new QPushButton(msg(9889), this))
    , m_list(new QTreeView(this))
{
    setObjectName(QStringLiteral("findResultsPanel"));
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setWordWrap(true);
    m_summary->setBuddy(m_list);
    m_stop->setObjectName(QStringLiteral("stopButton"));
    m_stop->setEnabled(false);
    m_list->setObjectName(QStringLiteral("results"));
    m_list->setModel(&m_model);
    m_list->setHeaderHidden(true);
    m_list->setUniformRowHeights(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setItemDelegate(new MatchDelegate(m_list));

    auto *top = new QHBoxLayout;
    top->addWidget(m_summary, 1);
    top->addWidget(m_stop);
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    setWidget(body);

    connect(m_stop, &QPushButton::clicked, this, &ResultsPanel::stopRequested);
    auto *leave = new QShortcut(QKeySequence(Qt::Key_Escape), m_list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(leave, &QShortcut::activated, this, &ResultsPanel::leaveRequested);
    // activated: double click, and Enter or Return on the current row.
    connect(m_list, &QAbstractItemView::activated, this, [this](const QModelIndex &activated) {
        const QModelIndex index =
            activated.model()->hasChildren(activated) ? m_model.index(0, 0, activated) : activated;
        if (!index.data(PathRole).isValid())
            return;
        emit placeChosen(ResultPlace{index.data(PathRole).toString(), index.data(LineRole).toInt(),
                                     index.data(ColumnRole).toLongLong(), index.data(EndLineRole).toInt(),
                                     index.data(EndColumnRole).toLongLong()});
    });
}

void ResultsPanel::start(const QString &pattern)
{
    m_model.clear();
    m_shownLines = 0;
    m_summary->setText(msg(9877) + QStringLiteral(" «") + pattern + QStringLiteral("»"));
    m_stop->setEnabled(true);
}

void ResultsPanel::addFile(const FileResult &result)
{
    QString title =
        QDir::toNativeSeparators(result.path) + QStringLiteral(" (") + QString::number(result.matchCount) + u')';
    if (result.open)
        title += msg(9895);
    if (!result.failure.isEmpty())
        title += QStringLiteral(" - ") + result.failure;
    auto *file = new QStandardItem(title);
    file->setToolTip(title);
    const qsizetype room = std::max<qsizetype>(MaxListedLines - m_shownLines, 0);
    // A page past the limit still leads to its first match.
    const QList<LineHit> hits = result.hits.mid(0, std::max<qsizetype>(room, 1));
    m_shownLines += hits.size();
    for (const LineHit &hit : hits) {
        const QString prefix = msg(9894) + QString::number(hit.line + 1) + QStringLiteral(": ");
        auto *row = new QStandardItem(prefix + shownLine(hit.excerpt));
        row->setData(prefix.size() + hit.excerptMatch, MatchStartRole);
        row->setData(hit.excerptLength, MatchLengthRole);
        row->setData(result.path, PathRole);
        row->setData(hit.line, LineRole);
        row->setData(hit.column, ColumnRole);
        row->setData(hit.endLine, EndLineRole);
        row->setData(hit.endColumn, EndColumnRole);
        file->appendRow(row);
    }
    m_model.appendRow(file);
    if (m_model.rowCount() <= 20)
        m_list->expand(file->index());
    if (!m_list->currentIndex().isValid())
        m_list->setCurrentIndex(file->index());
}

void ResultsPanel::finish(const QString &summary)
{
    m_summary->setText(summary);
    m_stop->setEnabled(false);
}
