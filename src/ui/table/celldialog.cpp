#include "ui/table/celldialog.h"

#include "core/formatting/fontmarkup.h"
#include "core/messages/messages.h"
#include "core/table/tablemodel.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/linkdialogs.h"
#include "ui/formatting/fontdialog.h"
#include "ui/imagemap/mapcommands.h"
#include "ui/preferences/colorswatchbutton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QColor toQColor(HtmlColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

HtmlColor fromQColor(const QColor &c)
{
    return HtmlColor(c.red()) | HtmlColor(c.green()) << 8 | HtmlColor(c.blue()) << 16;
}

// A group box of radio buttons whose ids are their indexes.
QButtonGroup *radioGroup(QWidget *parent, QVBoxLayout *into, const QString &title, const QStringList &items)
{
    auto *box = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], box);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    into->addWidget(box);
    return group;
}

// The font dialog returning its tags instead of putting them in the page.
class ReturningFontDialog : public TFontFrm
{
public:
    using TFontFrm::TFontFrm;
    TagPair tags;

protected:
    bool confirm() override
    {
        tags = fontTags(fields());
        return true;
    }
};

} // namespace

CellDialog::CellDialog(DialogServices &services, TableModel &model, const PropertiesTarget &target, QWidget *parent)
    : ElementDialog(services,
                    target.mode == PropertiesTarget::Mode::Row ? QStringLiteral("Propriétés de la rangée")
                                                               : QStringLiteral("Propriétés de la cellule"),
                    QStringLiteral("tableau.html"), parent)
    , m_model(model)
    , m_target(target)
{
    m_pages = new QTabWidget(this);
    body()->addWidget(m_pages);
    if (rowMode()) {
        m_pages->addTab(buildRow(), QStringLiteral("Général"));
        const RowFields f = LoadRowFields(m_model.row(m_target.row));
        m_hAlign->button(f.align)->setChecked(true);
        m_vAlign->button(f.vAlign)->setChecked(true);
        m_bg->setColor(toQColor(f.bgColor));
        m_border->setColor(toQColor(f.borderColor));
        return;
    }
    m_pages->addTab(buildGeneral(), QStringLiteral("Général"));
    m_pages->addTab(buildOther(), QStringLiteral("Autres propriétés"));
    buildMenus();
    const CellFields f = LoadCellFields(m_model.cell(m_target.cell.column, m_target.cell.row));
    m_kind->button(f.kindIndex)->setChecked(true);
    m_noWrap->setChecked(f.noWrap);
    m_content->setPlainText(f.content.join(QLatin1Char('\n')));
    m_bg->setColor(toQColor(f.bgColor));
    m_border->setColor(toQColor(f.borderColor));
    m_widthPercent->setChecked(f.widthPercent);
    m_width->setMaxLength(f.widthPercent ? 3 : 4);
    m_width->setText(f.widthText);
    m_heightPercent->setChecked(f.heightPercent);
    m_height->setMaxLength(f.heightPercent ? 3 : 4);
    m_height->setText(f.heightText);
    m_hAlign->button(f.hAlign)->setChecked(true);
    m_vAlign->button(f.vAlign)->setChecked(true);
    m_background->setEditText(f.background);
    // Only now, so that loading the kind keeps the stored alignment.
    connect(m_kind, &QButtonGroup::idClicked, this, &CellDialog::kindChosen);
    connect(m_noWrap, &QCheckBox::toggled, this, &CellDialog::updatePreview);
    updatePreview();
    m_content->setFocus();
}

QString CellDialog::helpAnchor() const
{
    return rowMode() ? QStringLiteral("rangee") : QStringLiteral("cellule");
}

QWidget *CellDialog::buildGeneral()
{
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    auto *description = note(QStringLiteral(
        "Les propriétés des cellules d'un tableau ont préséance sur les propriétés générales du tableau."));
    layout->addWidget(description);
    auto *top = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    m_kind = radioGroup(page, left, QStringLiteral("Type de cellule"),
                        {QStringLiteral("Cellule d'en-&tête"), QStringLiteral("Cellule de &données")});
    m_noWrap = new QCheckBox(QStringLiteral("Sans cou&pure de ligne"), page);
    left->addWidget(m_noWrap);
    auto *colours = new QGroupBox(QStringLiteral("Options sur les couleurs"), page);
    auto *grid = new QGridLayout(colours);
    m_bg = new ColorSwatchButton(colours);
    m_border = new ColorSwatchButton(colours);
    auto *bgLabel = new QLabel(QStringLiteral("Arrière-p&lan:"), colours);
    bgLabel->setBuddy(m_bg);
    auto *borderLabel = new QLabel(QStringLiteral("&Bordure:"), colours);
    borderLabel->setBuddy(m_border);
    grid->addWidget(bgLabel, 0, 0);
    grid->addWidget(m_bg, 0, 1);
    grid->addWidget(borderLabel, 1, 0);
    grid->addWidget(m_border, 1, 1);
    left->addWidget(colours);
    left->addStretch(1);
    top->addLayout(left);

    auto *right = new QVBoxLayout;
    m_content = new QPlainTextEdit(page);
    m_content->setTabChangesFocus(false);
    m_content->setMinimumSize(320, 160);
    m_content->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_content, &QWidget::customContextMenuRequested, this, &CellDialog::showEditorMenu);
    auto *contentLabel = new QLabel(QStringLiteral("C&ontenu de la cellule:"), page);
    contentLabel->setBuddy(m_content);
    right->addWidget(contentLabel);
    right->addWidget(m_content, 1);
    auto *buttons = new QHBoxLayout;
    auto *common = new QPushButton(QStringLiteral("&Communs"), page);
    auto *special = new QPushButton(QStringLiteral("&Spécialisés"), page);
    m_common = new QMenu(common);
    m_special = new QMenu(special);
    common->setMenu(m_common);
    special->setMenu(m_special);
    buttons->addWidget(common);
    buttons->addWidget(special);
    buttons->addStretch(1);
    right->addLayout(buttons);
    top->addLayout(right, 1);
    layout->addLayout(top, 1);
    return page;
}

QWidget *CellDialog::buildOther()
{
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(note(
        QStringLiteral("Autres propriétés sur les dimensions, les alignements et le papier peint de la cellule.")));
    auto *sizes = new QGridLayout;
    m_width = new QLineEdit(page);
    m_widthPercent = new QCheckBox(QStringLiteral("%"), page);
    m_height = new QLineEdit(page);
    m_heightPercent = new QCheckBox(QStringLiteral("%"), page);
    for (QLineEdit *e : {m_width, m_height})
        e->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("99999")) + 16);
    auto *widthLabel = new QLabel(QStringLiteral("&Largeur:"), page);
    widthLabel->setBuddy(m_width);
    auto *heightLabel = new QLabel(QStringLiteral("&Hauteur:"), page);
    heightLabel->setBuddy(m_height);
    sizes->addWidget(widthLabel, 0, 0);
    sizes->addWidget(m_width, 0, 1);
    sizes->addWidget(m_widthPercent, 0, 2);
    sizes->addWidget(heightLabel, 1, 0);
    sizes->addWidget(m_height, 1, 1);
    sizes->addWidget(m_heightPercent, 1, 2);
    sizes->setColumnStretch(3, 1);
    layout->addLayout(sizes);
    connect(m_width, &QLineEdit::textEdited, this, [this] { sizeEdited(m_width, m_widthPercent); });
    connect(m_height, &QLineEdit::textEdited, this, [this] { sizeEdited(m_height, m_heightPercent); });
    connect(m_widthPercent, &QCheckBox::toggled, this, [this](bool on) { percentToggled(m_width, on); });
    connect(m_heightPercent, &QCheckBox::toggled, this, [this](bool on) { percentToggled(m_height, on); });

    auto *aligns = new QHBoxLayout;
    auto *h = new QVBoxLayout;
    m_hAlign = radioGroup(page, h, QStringLiteral("Alignement horizontal"),
                          {QStringLiteral("A &gauche "), QStringLiteral("A gauche (&forcé)"),
                           QStringLiteral("Au &centre "), QStringLiteral("A d&roite")});
    auto *v = new QVBoxLayout;
    m_vAlign = radioGroup(page, v, QStringLiteral("Alignement vertical"),
                          {QStringLiteral("Au &milieu  (par défaut)"), QStringLiteral("Vers le hau&t"),
                           QStringLiteral("Vers le &bas"), QStringLiteral("Basé sur l&igne")});
    aligns->addLayout(h);
    aligns->addLayout(v);
    layout->addLayout(aligns);

    auto *pictureRow = new QHBoxLayout;
    m_background = historyCombo(512);
    auto *pictureLabel = new QLabel(QStringLiteral("&Papier peint:"), page);
    pictureLabel->setBuddy(m_background);
    pictureRow->addWidget(pictureLabel);
    pictureRow->addWidget(m_background, 1);
    pictureRow->addWidget(browseButton(m_background, msg(3003)));
    layout->addLayout(pictureRow);
    layout->addStretch(1);
    return page;
}

QWidget *CellDialog::buildRow()
{
    auto *page = new QWidget(m_pages);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(note(QStringLiteral("Définitions des propriétés de la rangée séléctionnée.")));
    auto *aligns = new QHBoxLayout;
    auto *h = new QVBoxLayout;
    m_hAlign = radioGroup(
        page, h, QStringLiteral("Alignement horizontal"),
        {QStringLiteral("A &gauche  (par défaut)"), QStringLiteral("Au &centre"), QStringLiteral("A d&roite")});
    h->addStretch(1);
    auto *v = new QVBoxLayout;
    m_vAlign = radioGroup(page, v, QStringLiteral("Alignement vertical"),
                          {QStringLiteral("Au &milieu  (par défaut)"), QStringLiteral("Vers le hau&t"),
                           QStringLiteral("Vers le &bas"), QStringLiteral("Basé sur l&igne")});
    aligns->addLayout(h);
    aligns->addLayout(v);
    layout->addLayout(aligns);
    auto *colours = new QGroupBox(QStringLiteral("Options sur les couleurs"), page);
    auto *grid = new QGridLayout(colours);
    m_bg = new ColorSwatchButton(colours);
    m_border = new ColorSwatchButton(colours);
    auto *bgLabel = new QLabel(QStringLiteral("Arrière-p&lan:"), colours);
    bgLabel->setBuddy(m_bg);
    auto *borderLabel = new QLabel(QStringLiteral("B&ordure:"), colours);
    borderLabel->setBuddy(m_border);
    grid->addWidget(bgLabel, 0, 0);
    grid->addWidget(m_bg, 0, 1);
    grid->addWidget(borderLabel, 0, 2);
    grid->addWidget(m_border, 0, 3);
    grid->setColumnStretch(4, 1);
    layout->addWidget(colours);
    layout->addStretch(1);
    return page;
}

void CellDialog::buildMenus()
{
    const auto pair = [this](QMenu *menu, const QString &text, const QString &start, const QString &end,
                             const QKeySequence &keys = {}) {
        QAction *a = menu->addAction(text, this, [this, start, end] { insertPair(start, end); });
        if (!keys.isEmpty()) {
            a->setShortcut(keys);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            m_content->addAction(a);
        }
        return a;
    };
    m_common->addAction(QStringLiteral("Lettrage global..."), this, &CellDialog::insertLettering);
    QMenu *headings = m_common->addMenu(QStringLiteral("Lettrage d'en-tête"));
    for (int level = 1; level <= 6; ++level)
        pair(headings, QStringLiteral("En-tête de niveau %1").arg(level), QStringLiteral("<H%1>").arg(level),
             QStringLiteral("</H%1>").arg(level));
    pair(m_common, QStringLiteral("Centré"), QStringLiteral("<CENTER>"), QStringLiteral("</CENTER>"),
         QKeySequence(Qt::CTRL | Qt::Key_T));
    pair(m_common, QStringLiteral("Gras"), QStringLiteral("<B>"), QStringLiteral("</B>"),
         QKeySequence(Qt::CTRL | Qt::Key_G));
    pair(m_common, QStringLiteral("Italique"), QStringLiteral("<I>"), QStringLiteral("</I>"),
         QKeySequence(Qt::CTRL | Qt::Key_I));
    pair(m_common, QStringLiteral("Souligné"), QStringLiteral("<U>"), QStringLiteral("</U>"),
         QKeySequence(Qt::CTRL | Qt::Key_U));
    pair(m_common, QStringLiteral("Clignotement (Netscape)"), QStringLiteral("<BLINK>"), QStringLiteral("</BLINK>"));
    pair(m_common, QStringLiteral("Barré"), QStringLiteral("<STRIKE>"), QStringLiteral("</STRIKE>"));
    pair(m_common, QStringLiteral("Préformaté"), QStringLiteral("<PRE>"), QStringLiteral("</PRE>"));
    pair(m_common, QStringLiteral("Bloc de citations"), QStringLiteral("<BLOCKQUOTE>"),
         QStringLiteral("</BLOCKQUOTE>"));
    pair(m_common, QStringLiteral("Retour de chariot"), QStringLiteral("<BR>"), {});
    pair(m_common, QStringLiteral("Empêcher retour de chariot"), QStringLiteral("&nbsp;"), {});
    pair(m_common, QStringLiteral("Paragraphe"), QStringLiteral("<P>"), {});
    pair(m_common, QStringLiteral("Commentaire"), QStringLiteral("<!-- "), QStringLiteral(" --->"));

    // The image dialog hands back its tag, which goes into the cell text.
    m_special->addAction(QStringLiteral("Image..."), this, [this] {
        if (const QString tag = services().chooseImage(this).imageTag; !tag.isEmpty())
            insertPair(tag, {});
    })->setEnabled(bool(services().chooseImage));
    m_special->addAction(QStringLiteral("Lien externe..."), this, [this] { insertLink(false); });
    m_special->addAction(QStringLiteral("Lien interne..."), this, [this] { insertLink(true); });
    m_special->addAction(QStringLiteral("Image en coordonnées..."), this, [this] { InsertMapInCell(*this); });
}

void CellDialog::insertPair(const QString &start, const QString &end)
{
    if (!m_content)
        return;
    m_content->document()->clearUndoRedoStacks();
    QTextCursor cursor = m_content->textCursor();
    QString selected = cursor.selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const int first = cursor.selectionStart();
    cursor.insertText(start + selected + end);
    cursor.setPosition(first + int(start.size()));
    if (!selected.isEmpty())
        cursor.setPosition(first + int(start.size() + selected.size()), QTextCursor::KeepAnchor);
    m_content->setTextCursor(cursor);
    m_content->setFocus();
}

int CellDialog::runElement(QDialog &dialog)
{
    return execElement ? execElement(dialog) : dialog.exec();
}

void CellDialog::insertLink(bool internal)
{
    std::unique_ptr<LinkDialogBase> dialog;
    if (internal)
        dialog = std::make_unique<InternalLinkDialog>(services(), LinkMode::ReturnTag, this);
    else
        dialog = std::make_unique<ExternalLinkDialog>(services(), LinkMode::ReturnTag, this);
    if (runElement(*dialog) == QDialog::Accepted && !dialog->startTag().isEmpty())
        insertPair(dialog->startTag(), QStringLiteral("</A>"));
}

void CellDialog::insertLettering()
{
    ReturningFontDialog dialog(services(), false, this);
    if (runElement(dialog) == QDialog::Accepted && !dialog.tags.isEmpty())
        insertPair(dialog.tags.start, dialog.tags.end);
}

void CellDialog::showEditorMenu(const QPoint &pos)
{
    QMenu menu(m_content);
    QAction *undo = menu.addAction(QStringLiteral("&Annuler/Refaire"), m_content, [this] {
        if (m_content->document()->isUndoAvailable())
            m_content->undo();
        else
            m_content->redo();
    });
    undo->setEnabled(m_content->document()->isUndoAvailable() || m_content->document()->isRedoAvailable());
    menu.addSeparator();
    const bool selection = m_content->textCursor().hasSelection();
    menu.addAction(QStringLiteral("&Couper"), m_content, &QPlainTextEdit::cut)->setEnabled(selection);
    menu.addAction(QStringLiteral("Co&pier"), m_content, &QPlainTextEdit::copy)->setEnabled(selection);
    menu.addAction(QStringLiteral("C&oller"), m_content, &QPlainTextEdit::paste)->setEnabled(m_content->canPaste());
    menu.exec(m_content->mapToGlobal(pos));
}

void CellDialog::kindChosen(int index)
{
    m_hAlign->button(AlignmentForKind(index))->setChecked(true);
    updatePreview();
}

void CellDialog::updatePreview()
{
    QFont font = m_content->font();
    font.setBold(m_kind->checkedId() == 0);
    m_content->setFont(font);
    m_content->setLineWrapMode(m_noWrap->isChecked() ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
}

void CellDialog::sizeEdited(QLineEdit *edit, QCheckBox *percent)
{
    if (edit->text().isEmpty())
        return;
    const QString valid = ValidCellSize(edit->text(), percent->isChecked());
    if (valid != edit->text())
        edit->setText(valid);
}

void CellDialog::percentToggled(QLineEdit *edit, bool percent)
{
    edit->setMaxLength(percent ? 3 : 4);
    edit->setText(CellSizeForPercent(edit->text(), percent));
}

bool CellDialog::confirm()
{
    if (rowMode()) {
        RowFields f;
        f.align = std::max(0, m_hAlign->checkedId());
        f.vAlign = std::max(0, m_vAlign->checkedId());
        f.bgColor = fromQColor(m_bg->color());
        f.borderColor = fromQColor(m_border->color());
        StoreRowFields(f, m_model.row(m_target.row));
        return true;
    }
    CellFields f;
    f.kindIndex = std::max(0, m_kind->checkedId());
    f.noWrap = m_noWrap->isChecked();
    f.content = m_content->toPlainText().split(QLatin1Char('\n'));
    if (m_content->toPlainText().isEmpty())
        f.content.clear();
    f.bgColor = fromQColor(m_bg->color());
    f.borderColor = fromQColor(m_border->color());
    f.widthText = m_width->text();
    f.widthPercent = m_widthPercent->isChecked();
    f.heightText = m_height->text();
    f.heightPercent = m_heightPercent->isChecked();
    f.hAlign = std::max(0, m_hAlign->checkedId());
    f.vAlign = std::max(0, m_vAlign->checkedId());
    f.background = m_background->currentText();
    remember(m_background);
    StoreCellFields(f, m_model.cell(m_target.cell.column, m_target.cell.row));
    return true;
}
