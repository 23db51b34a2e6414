#include "ui/table/tableextensions.h"

#include "core/markup/colors.h"
#include "core/messages/messages.h"
#include "core/table/tablemodel.h"
#include "ui/preferences/colorswatchbutton.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QColor swatchColor(const QString &text)
{
    if (text.isEmpty())
        return Qt::white;
    const HtmlColor c = HtmlToColor(text);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QString htmlColor(const QColor &color)
{
    return ColorToHtml(HtmlColor(color.red()) | HtmlColor(color.green()) << 8 | HtmlColor(color.blue()) << 16).left(8);
}

void check(QButtonGroup *group, int id)
{
    if (QAbstractButton *b = group->button(id))
        b->setChecked(true);
    else if (QAbstractButton *first = group->button(0))
        first->setChecked(true);
}

} // namespace

TTieFrm::TTieFrm(DialogServices &services, TableAttrs &attrs, Pages pages, QWidget *parent)
    : ElementDialog(services,
                    pages == Pages::Table ? QStringLiteral("Extensions sur les tableaux")
                                          : QStringLiteral("Titre du tableau"),
                    QStringLiteral("tableau.html"), parent)
    , m_attrs(attrs)
    , m_pages(pages)
{
    m_tabs = new QTabWidget(this);
    body()->addWidget(m_tabs);
    if (pages == Pages::Table)
        buildTablePages();
    else
        buildCaptionPage();
}

QString TTieFrm::helpAnchor() const
{
    return m_pages == Pages::Caption ? QStringLiteral("titre") : QStringLiteral("extensions");
}

QButtonGroup *TTieFrm::radioGroup(QGroupBox *box, const QStringList &items, int columns)
{
    auto *group = new QButtonGroup(box);
    auto *grid = new QGridLayout(box);
    const int perColumn = int((items.size() + columns - 1) / columns);
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i], box);
        group->addButton(radio, i);
        grid->addWidget(radio, i % perColumn, i / perColumn);
    }
    return group;
}

void TTieFrm::buildTablePages()
{
    auto *general = new QWidget;
    auto *generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(note(QStringLiteral("Définition des propriétés affectant le tableau au complet.")));
    auto *colours = new QGroupBox(QStringLiteral("Options sur les couleurs"), general);
    auto *colourForm = new QFormLayout(colours);
    m_bgColor = new ColorSwatchButton(colours);
    m_bgColor->setColor(swatchColor(m_attrs.TableBgColor));
    m_borderColor = new ColorSwatchButton(colours);
    m_borderColor->setColor(swatchColor(m_attrs.TableBorderColor));
    addFieldRow(colourForm, QStringLiteral("Arrière-p&lan:"), m_bgColor);
    addFieldRow(colourForm, QStringLiteral("&Bordure:"), m_borderColor);
    generalLayout->addWidget(colours);
    auto *pictureForm = new QFormLayout;
    generalLayout->addLayout(pictureForm);
    m_background = historyCombo(512);
    m_background->setCurrentText(m_attrs.TableBackground);
    addFieldRow(pictureForm, QStringLiteral("&Papier peint:"), m_background, browseButton(m_background, msg(3003)));
    auto *vAlign = new QGroupBox(QStringLiteral("Alignement vertical"), general);
    m_vAlign = radioGroup(vAlign, {QStringLiteral("Au &milieu (par défaut)"), QStringLiteral("Vers le &haut"),
                                   QStringLiteral("Vers le ba&s")});
    check(m_vAlign, m_attrs.TableVAlign);
    generalLayout->addWidget(vAlign);
    generalLayout->addStretch(1);
    m_tabs->addTab(general, QStringLiteral("&Général"));

    auto *other = new QWidget;
    auto *otherLayout = new QVBoxLayout(other);
    otherLayout->addWidget(note(QStringLiteral("Extensions du navigateur Microsoft Internet Explorer 3.0.")));
    auto *frame = new QGroupBox(QStringLiteral("Options sur les bordures"), other);
    m_frame = radioGroup(frame,
                         {QStringLiteral("Bordure normale (par défaut)"), QStringLiteral("Enlève toutes les bordures"),
                          QStringLiteral("Bordure du haut seulement"), QStringLiteral("Bordure du bas seulement"),
                          QStringLiteral("Bordures horizontales seulement"), QStringLiteral("Bordure gauche seulement"),
                          QStringLiteral("Bordure droite seulement"), QStringLiteral("Bordures verticales seulement"),
                          QStringLiteral("Une simple boite comme bordure")},
                         2);
    check(m_frame, m_attrs.TableFrame);
    otherLayout->addWidget(frame);
    auto *rules = new QGroupBox(QStringLiteral("Règles (la bordure ne doit pas égaler zéro)"), other);
    m_rules = radioGroup(
        rules, {QStringLiteral("Active toutes les règles (par défaut)"), QStringLiteral("Désactive toutes les règles"),
                QStringLiteral("Affiche les bordures horizontales définies par l'entête, le corps et le bas"),
                QStringLiteral("Affiche les bordures horizontales entre toutes les rangées"),
                QStringLiteral("Affiche les bordure horizontales entres toutes les colonnes")});
    check(m_rules, m_attrs.TableRules);
    otherLayout->addWidget(rules);
    otherLayout->addStretch(1);
    m_tabs->addTab(other, QStringLiteral("A&utres propriétés"));
}

void TTieFrm::buildCaptionPage()
{
    auto *general = new QWidget;
    auto *layout = new QVBoxLayout(general);
    layout->addWidget(note(QStringLiteral("Définition du titre du tableau et de ses propriétés.")));
    auto *form = new QFormLayout;
    layout->addLayout(form);
    m_caption = lineEdit(256);
    m_caption->setText(m_attrs.CaptionText);
    m_caption->setMinimumWidth(260);
    addFieldRow(form, QStringLiteral("&Titre du tableau:"), m_caption);
    m_netscape = new QRadioButton(QStringLiteral("Extensions &Netscape"), general);
    m_explorer = new QRadioButton(QStringLiteral("Extensions &Microsoft Explorer"), general);
    layout->addWidget(m_netscape);
    layout->addWidget(m_explorer);
    auto *groups = new QHBoxLayout;
    auto *vAlign = new QGroupBox(QStringLiteral("Alignement vertical"), general);
    m_captionVAlign = radioGroup(vAlign, {QStringLiteral("Vers le &haut"), QStringLiteral("Vers le &bas")});
    groups->addWidget(vAlign);
    m_captionAlignBox = new QGroupBox(QStringLiteral("Alignement horizontal"), general);
    m_captionAlign = radioGroup(
        m_captionAlignBox, {QStringLiteral("Au &centre"), QStringLiteral("A ga&uche"), QStringLiteral("A &droite")});
    groups->addWidget(m_captionAlignBox);
    layout->addLayout(groups);
    layout->addStretch(1);
    m_tabs->addTab(general, QStringLiteral("&Général"));

    const bool explorer = m_attrs.CaptionMode == 1;
    (explorer ? m_explorer : m_netscape)->setChecked(true);
    if (explorer) {
        check(m_captionAlign, m_attrs.CaptionAlign);
        check(m_captionVAlign, m_attrs.CaptionVAlign);
    } else {
        check(m_captionAlign, 0);
        check(m_captionVAlign, m_attrs.CaptionAlign);
    }
    connect(m_explorer, &QRadioButton::toggled, this, &TTieFrm::showCaptionMode);
    showCaptionMode();
}

void TTieFrm::showCaptionMode()
{
    m_captionAlignBox->setVisible(m_explorer->isChecked());
}

bool TTieFrm::confirm()
{
    if (m_pages == Pages::Caption) {
        m_attrs.CaptionText = m_caption->text();
        if (m_explorer->isChecked()) {
            m_attrs.CaptionMode = 1;
            m_attrs.CaptionAlign = qint8(std::max(0, m_captionAlign->checkedId()));
            m_attrs.CaptionVAlign = qint8(std::max(0, m_captionVAlign->checkedId()));
        } else {
            m_attrs.CaptionMode = 0;
            m_attrs.CaptionAlign = qint8(std::max(0, m_captionVAlign->checkedId()));
        }
        return true;
    }
    const QString background = m_background->currentText().trimmed();
    if (!background.isEmpty() && !confirmExistingFile(background))
        return false;
    remember(m_background);
    m_attrs.TableBgColor = htmlColor(m_bgColor->color());
    m_attrs.TableBorderColor = htmlColor(m_borderColor->color());
    m_attrs.TableBackground = background;
    m_attrs.TableVAlign = qint8(std::max(0, m_vAlign->checkedId()));
    m_attrs.TableFrame = qint8(std::max(0, m_frame->checkedId()));
    m_attrs.TableRules = qint8(std::max(0, m_rules->checkedId()));
    return true;
}
