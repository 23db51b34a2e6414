#include "ui/javascript/wizardpages.h"

#include "core/messages/messages.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/elementdialog.h"
#include "ui/dialogs/linkdialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A caption with its Alt+letter: the "&" goes before the first occurrence
// of letter.
QString withKey(const QString &caption, QChar letter)
{
    QString text = caption;
    const qsizetype at = text.indexOf(letter);
    if (at >= 0)
        text.insert(at, QLatin1Char('&'));
    return text;
}

QGroupBox *previewBox(QWidget *parent, QWidget *content)
{
    auto *box = new QGroupBox(QStringLiteral("Esquisse"), parent);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

QLabel *picturePreview(QWidget *parent, QSize size)
{
    auto *label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumSize(size);
    label->setFrameShape(QFrame::StyledPanel);
    label->setWordWrap(true);
    return label;
}

QSpinBox *spinBox(QWidget *parent, int minimum, int maximum, int value)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    spin->setMinimumWidth(90);
    return spin;
}

QLineEdit *field(QWidget *parent, int maxLength)
{
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

WizardPage::WizardPage(ElementDialog &dialog, QWidget *parent)
    : QWidget(parent)
    , m_dialog(dialog)
{}

QString WizardPage::pictureOnDisk(const QString &name) const
{
    if (name.isEmpty() || QFileInfo(name).isAbsolute())
        return name;
    const QString page = m_dialog.services().pageFileName();
    if (QFileInfo(page).isAbsolute())
        return QFileInfo(page).dir().filePath(name);
    return QFileInfo(name).absoluteFilePath();
}

QSize WizardPage::showPicture(QLabel *preview, const QString &name, QSize size) const
{
    preview->clear();
    if (name.isEmpty())
        return QSize();
    QImageReader reader(pictureOnDisk(name));
    const QSize own = reader.size();
    if (size.isValid() && !size.isEmpty())
        reader.setScaledSize(size);
    const QImage image = reader.read();
    if (image.isNull()) {
        preview->setText(QStringLiteral("Image illisible"));
        return QSize();
    }
    preview->setPixmap(QPixmap::fromImage(image));
    return own.isValid() ? own : image.size();
}

// ---------------------------------------------------------------- banner

BannerPage::BannerPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *layout = new QVBoxLayout(this);
    QFormLayout *form = new QFormLayout;
    layout->addLayout(form);
    m_text = field(this, 255);
    m_text->setText(QStringLiteral("Bienvenue sur mon site"));
    dialog.addFieldRow(form, withKey(msg(749), QLatin1Char('E')), m_text);

    auto *kind = new QGroupBox(msg(752), this);
    auto *kindLayout = new QVBoxLayout(kind);
    m_textBox = new QRadioButton(withKey(msg(753), QLatin1Char('b')), kind);
    m_statusBar = new QRadioButton(withKey(msg(754), QLatin1Char('S')), kind);
    m_textBox->setChecked(true);
    kindLayout->addWidget(m_textBox);
    kindLayout->addWidget(m_statusBar);
    layout->addWidget(kind);

    QFormLayout *numbers = new QFormLayout;
    layout->addLayout(numbers);
    m_width = spinBox(this, 1, 200, 40);
    dialog.addFieldRow(numbers, withKey(msg(755), QLatin1Char('L')), m_width);
    m_delay = spinBox(this, 10, 10000, 100);
    m_delay->setSuffix(QStringLiteral(" ms"));
    dialog.addFieldRow(numbers, withKey(msg(756), QLatin1Char('D')), m_delay);

    auto *preview = new QWidget(this);
    auto *previewLayout = new QVBoxLayout(preview);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    m_previewBox = new QLineEdit(preview);
    m_previewBox->setReadOnly(true);
    m_previewBox->setFocusPolicy(Qt::NoFocus);
    m_previewStatus = new QLabel(preview);
    m_previewStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    previewLayout->addWidget(m_previewBox);
    previewLayout->addWidget(m_previewStatus);
    layout->addWidget(previewBox(this, preview));
    layout->addStretch();

    connect(m_textBox, &QRadioButton::toggled, this, &BannerPage::updatePreviewKind);
    connect(m_width, &QSpinBox::valueChanged, this, &BannerPage::updatePreviewKind);
    updatePreviewKind();
}

void BannerPage::updatePreviewKind()
{
    m_previewBox->setVisible(m_textBox->isChecked());
    m_previewStatus->setVisible(!m_textBox->isChecked());
    const QFontMetrics metrics(m_previewBox->font());
    m_previewBox->setFixedWidth(qMin(metrics.averageCharWidth() * m_width->value() + 12, 420));
}

void BannerPage::tick(int elapsedMs)
{
    m_waited += elapsedMs;
    if (m_waited < m_delay->value())
        return;
    m_waited = 0;
    const QString message = m_text->text();
    if (message.isEmpty()) {
        m_previewBox->clear();
        m_previewStatus->clear();
        return;
    }
    const QString shown = message + QStringLiteral("     ");
    m_position = m_position % int(shown.size());
    const QString text = shown.mid(m_position) + shown.left(m_position);
    ++m_position;
    m_previewBox->setText(text);
    m_previewStatus->setText(text);
}

bool BannerPage::write(ScriptWizardContext &context)
{
    BannerWizard wizard;
    wizard.text = m_text->text();
    wizard.statusBar = m_statusBar->isChecked();
    wizard.width = m_width->value();
    wizard.delay = m_delay->value();
    const bool done = WriteBanner(context, wizard);
    m_text->setText(wizard.text);
    return done;
}

// ---------------------------------------------------------------- clock

ClockPage::ClockPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *kind = new QHBoxLayout;
    m_time = new QRadioButton(QLatin1Char('&') + msg(759), this);
    m_date = new QRadioButton(QLatin1Char('&') + msg(760), this);
    m_time->setChecked(true);
    kind->addWidget(m_time);
    kind->addWidget(m_date);
    kind->addStretch();
    layout->addLayout(kind);

    auto *caption = new QLabel(withKey(msg(764), QLatin1Char('S')), this);
    m_styles = new QListWidget(this);
    caption->setBuddy(m_styles);
    layout->addWidget(caption);
    layout->addWidget(m_styles);

    m_preview = new QLabel(this);
    QFont big = m_preview->font();
    big.setPointSize(big.pointSize() + 4);
    m_preview->setFont(big);
    m_preview->setAlignment(Qt::AlignCenter);
    layout->addWidget(previewBox(this, m_preview));

    connect(m_time, &QRadioButton::toggled, this, &ClockPage::fillStyles);
    connect(m_styles, &QListWidget::currentRowChanged, this, [this] { tick(1000); });
    fillStyles();
}

void ClockPage::fillStyles()
{
    m_styles->clear();
    for (const ClockStyle &style : ClockStyles()) {
        if (style.date != m_date->isChecked())
            continue;
        auto *item = new QListWidgetItem(
            QStringLiteral("%1   (%2)").arg(QLatin1String(style.name), QString::fromUtf8(style.sample)), m_styles);
        item->setData(Qt::UserRole, QLatin1String(style.name));
    }
    m_styles->setCurrentRow(0);
}

QString ClockPage::formatted(const QString &style, const QDateTime &moment)
{
    static const char *months[] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                                   "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
    const QTime t = moment.time();
    const QDate d = moment.date();
    const QString hh = t.toString(QStringLiteral("HH"));
    const QString mm = t.toString(QStringLiteral("mm"));
    const QString dd = d.toString(QStringLiteral("dd"));
    const QString mo = d.toString(QStringLiteral("MM"));
    const QString yy = d.toString(QStringLiteral("yy"));
    const QString s = style.toUpper();
    if (s == QLatin1String("HH:MM:SS"))
        return hh + QLatin1Char(':') + mm + QLatin1Char(':') + t.toString(QStringLiteral("ss"));
    if (s == QLatin1String("HH:MM"))
        return hh + QLatin1Char(':') + mm;
    if (s == QLatin1String("HH H MM"))
        return hh + QStringLiteral(" h ") + mm;
    if (s == QLatin1String("HH HEURE MM"))
        return hh + QStringLiteral(" heure ") + mm;
    if (s == QLatin1String("JJ MOIS AAAA"))
        return QString::number(d.day()) + QLatin1Char(' ') + QString::fromUtf8(months[d.month() - 1]) + QLatin1Char(' ')
               + QString::number(d.year());
    if (s == QLatin1String("JJ/MM/AA"))
        return dd + QLatin1Char('/') + mo + QLatin1Char('/') + yy;
    if (s == QLatin1String("AA/MM/JJ"))
        return yy + QLatin1Char('/') + mo + QLatin1Char('/') + dd;
    if (s == QLatin1String("JJ-MM-AA"))
        return dd + QLatin1Char('-') + mo + QLatin1Char('-') + yy;
    if (s == QLatin1String("AA-MM-JJ"))
        return yy + QLatin1Char('-') + mo + QLatin1Char('-') + dd;
    return QString();
}

void ClockPage::tick(int elapsedMs)
{
    m_waited += elapsedMs;
    if (m_waited < 250)
        return;
    m_waited = 0;
    const QListWidgetItem *item = m_styles->currentItem();
    m_preview->setText(item ? formatted(item->data(Qt::UserRole).toString(), QDateTime::currentDateTime()) : QString());
}

bool ClockPage::write(ScriptWizardContext &context)
{
    const QListWidgetItem *item = m_styles->currentItem();
    return WriteClock(context,
                      ClockWizard{item ? item->data(Qt::UserRole).toString() : QString(), m_date->isChecked()});
}

// ---------------------------------------------------------------- URL menu

UrlMenuPage::UrlMenuPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *layout = new QVBoxLayout(this);
    QFormLayout *form = new QFormLayout;
    layout->addLayout(form);
    m_url = field(this, 255);
    m_url->setPlaceholderText(QStringLiteral("http://"));
    dialog.addFieldRow(form, withKey(msg(791), QLatin1Char('U')), m_url);
    m_label = field(this, 255);
    dialog.addFieldRow(form, withKey(msg(792), QLatin1Char('T')), m_label);

    auto *buttons = new QHBoxLayout;
    m_copy = new QPushButton(QStringLiteral("&Copier"), this);
    m_copy->setToolTip(QStringLiteral("Reprend l'adresse comme texte du menu"));
    m_add = new QPushButton(QStringLiteral("Aj&outer"), this);
    m_modify = new QPushButton(QStringLiteral("&Modifier"), this);
    m_erase = new QPushButton(QStringLiteral("&Effacer"), this);
    for (QPushButton *button : {m_copy, m_add, m_modify, m_erase}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    auto *entriesCaption = new QLabel(QStringLiteral("Ent&rées:"), this);
    m_entries = new QListWidget(this);
    entriesCaption->setBuddy(m_entries);
    layout->addWidget(entriesCaption);
    layout->addWidget(m_entries);

    auto *kind = new QHBoxLayout;
    m_dropDown = new QRadioButton(withKey(msg(810), QLatin1Char('l')), this);
    m_listBox = new QRadioButton(withKey(msg(811), QLatin1Char('B')), this);
    m_dropDown->setChecked(true);
    kind->addWidget(m_dropDown);
    kind->addWidget(m_listBox);
    kind->addStretch();
    layout->addLayout(kind);
    QFormLayout *options = new QFormLayout;
    layout->addLayout(options);
    m_title = field(this, 255);
    m_title->setText(msg(794));
    dialog.addFieldRow(options, withKey(msg(793), QLatin1Char('i')), m_title);
    m_visible = spinBox(this, 1, 99, 3);
    dialog.addFieldRow(options, withKey(msg(809), QLatin1Char('N')), m_visible);

    auto *preview = new QWidget(this);
    auto *previewLayout = new QHBoxLayout(preview);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    m_previewMenu = new QComboBox(preview);
    m_previewList = new QListWidget(preview);
    m_previewList->setMaximumHeight(90);
    previewLayout->addWidget(m_previewMenu, 1);
    previewLayout->addWidget(m_previewList, 1);
    layout->addWidget(previewBox(this, preview));

    connect(m_copy, &QPushButton::clicked, this, [this] { m_label->setText(m_url->text()); });
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (m_url->text().trimmed().isEmpty())
            return;
        m_list.append({m_url->text().trimmed(), m_label->text()});
        refresh();
        m_entries->setCurrentRow(int(m_list.size()) - 1);
    });
    connect(m_modify, &QPushButton::clicked, this, [this] {
        const int row = m_entries->currentRow();
        if (row < 0 || m_url->text().trimmed().isEmpty())
            return;
        m_list[row] = {m_url->text().trimmed(), m_label->text()};
        refresh();
        m_entries->setCurrentRow(row);
    });
    connect(m_erase, &QPushButton::clicked, this, [this] {
        const int row = m_entries->currentRow();
        if (row < 0)
            return;
        m_list.removeAt(row);
        refresh();
        m_entries->setCurrentRow(qMin(row, int(m_list.size()) - 1));
    });
    connect(m_entries, &QListWidget::currentRowChanged, this, &UrlMenuPage::entryChosen);
    connect(m_dropDown, &QRadioButton::toggled, this, &UrlMenuPage::refresh);
    connect(m_title, &QLineEdit::textChanged, this, &UrlMenuPage::refresh);
    connect(m_visible, &QSpinBox::valueChanged, this, &UrlMenuPage::refresh);
    refresh();
}

void UrlMenuPage::entryChosen()
{
    const int row = m_entries->currentRow();
    m_modify->setEnabled(row >= 0);
    m_erase->setEnabled(row >= 0);
    if (row < 0 || row >= m_list.size())
        return;
    m_url->setText(m_list.at(row).url);
    m_label->setText(m_list.at(row).text);
}

void UrlMenuPage::refresh()
{
    const int row = m_entries->currentRow();
    {
        const QSignalBlocker block(m_entries);
        m_entries->clear();
        for (const UrlEntry &entry : m_list)
            m_entries->addItem(entry.text + QStringLiteral("  \u2192  ") + entry.url);
        m_entries->setCurrentRow(qMin(row, int(m_list.size()) - 1));
    }
    const bool menu = m_dropDown->isChecked();
    m_title->setEnabled(menu);
    m_visible->setEnabled(!menu);
    m_previewMenu->setVisible(menu);
    m_previewList->setVisible(!menu);
    m_previewMenu->clear();
    m_previewList->clear();
    m_previewMenu->addItem(m_title->text());
    for (const UrlEntry &entry : m_list) {
        m_previewMenu->addItem(entry.text);
        m_previewList->addItem(entry.text);
    }
    m_previewList->setCurrentRow(0);
    const int line = m_previewList->fontMetrics().height() + 2;
    m_previewList->setFixedHeight(line * m_visible->value() + 6);
    m_modify->setEnabled(m_entries->currentRow() >= 0);
    m_erase->setEnabled(m_entries->currentRow() >= 0);
}

bool UrlMenuPage::write(ScriptWizardContext &context)
{
    UrlMenuWizard wizard;
    wizard.entries = m_list;
    wizard.dropDown = m_dropDown->isChecked();
    wizard.title = m_title->text();
    wizard.visible = m_visible->value();
    return WriteUrlMenu(context, wizard);
}

// ---------------------------------------------------------------- gradient

GradientPage::GradientPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *layout = new QVBoxLayout(this);
    QFormLayout *form = new QFormLayout;
    layout->addLayout(form);
    m_text = field(this, 255);
    m_text->setText(QStringLiteral("Texte en couleurs"));
    dialog.addFieldRow(form, withKey(msg(749), QLatin1Char('E')), m_text);
    m_font = new QFontComboBox(this);
    m_font->setEditable(true);
    m_font->setCurrentText(QStringLiteral("Times New Roman"));
    dialog.addFieldRow(form, withKey(msg(569), QLatin1Char('p')), m_font);
    m_size = spinBox(this, 1, 7, 3);
    dialog.addFieldRow(form, withKey(msg(570), QLatin1Char('T')), m_size);

    auto *colours = new QGroupBox(msg(825), this);
    auto *colourLayout = new QHBoxLayout(colours);
    m_colours = new QButtonGroup(this);
    const struct
    {
        int number;
        QChar key;
    } choices[] = {{822, QLatin1Char('R')}, {823, QLatin1Char('V')}, {824, QLatin1Char('B')}};
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(withKey(msg(choices[i].number), choices[i].key), colours);
        m_colours->addButton(radio, i);
        colourLayout->addWidget(radio);
    }
    m_colours->button(0)->setChecked(true);
    layout->addWidget(colours);

    m_preview = new QLabel(this);
    m_preview->setTextFormat(Qt::RichText);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMinimumHeight(60);
    layout->addWidget(previewBox(this, m_preview));
    layout->addStretch();

    connect(m_text, &QLineEdit::textChanged, this, &GradientPage::refresh);
    connect(m_font, &QFontComboBox::currentTextChanged, this, &GradientPage::refresh);
    connect(m_size, &QSpinBox::valueChanged, this, &GradientPage::refresh);
    connect(m_colours, &QButtonGroup::idToggled, this, &GradientPage::refresh);
    refresh();
}

QString GradientPage::gradientHtml(const QString &text, int colour)
{
    QString html;
    const int last = int(text.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const int value = last > 0 ? (255 * i + last / 2) / last : 255;
        int rgb[3] = {0, 0, 0};
        rgb[colour >= 0 && colour <= 2 ? colour : 0] = value;
        html += QStringLiteral("<span style=\"color:#%1%2%3\">%4</span>")
                    .arg(rgb[0], 2, 16, QLatin1Char('0'))
                    .arg(rgb[1], 2, 16, QLatin1Char('0'))
                    .arg(rgb[2], 2, 16, QLatin1Char('0'))
                    .arg(QString(text.at(i)).toHtmlEscaped());
    }
    return html;
}

void GradientPage::refresh()
{
    // The seven HTML font sizes, in points.
    static const int points[] = {8, 10, 12, 14, 18, 24, 36};
    QFont font(m_font->currentText());
    font.setPointSize(points[qBound(1, m_size->value(), 7) - 1]);
    m_preview->setFont(font);
    m_preview->setText(gradientHtml(m_text->text(), m_colours->checkedId()));
}

bool GradientPage::write(ScriptWizardContext &context)
{
    GradientWizard wizard{m_text->text(), m_font->currentText(), m_size->value(), qMax(0, m_colours->checkedId())};
    const bool done = WriteGradient(context, wizard);
    m_text->setText(wizard.text);
    return done;
}

// ---------------------------------------------------------------- picture list

PictureListPage::PictureListPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *columns = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    columns->addLayout(left, 1);
    QFormLayout *form = new QFormLayout;
    left->addLayout(form);
    m_file = field(this, 255);
    m_browse = dialog.browseButton(m_file, msg(3003));
    m_browse->setParent(this);
    dialog.addFieldRow(form, QStringLiteral("&Image:"), m_file, m_browse);
    m_label = field(this, 255);
    dialog.addFieldRow(form, QStringLiteral("&Texte:"), m_label);

    auto *buttons = new QHBoxLayout;
    m_add = new QPushButton(QStringLiteral("Aj&outer"), this);
    m_edit = new QPushButton(QStringLiteral("E&diter"), this);
    m_erase = new QPushButton(QStringLiteral("&Effacer"), this);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setToolTip(QStringLiteral("Monter l'entrée"));
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setToolTip(QStringLiteral("Descendre l'entrée"));
    for (QWidget *button : std::initializer_list<QWidget *>{m_add, m_edit, m_erase, m_up, m_down}) {
        button->setFocusPolicy(Qt::StrongFocus);
        buttons->addWidget(button);
    }
    for (QPushButton *button : {m_add, m_edit, m_erase})
        button->setAutoDefault(false);
    left->addLayout(buttons);

    m_entriesCaption = new QLabel(QStringLiteral("Ent&rées:"), this);
    m_dropDown = new QComboBox(this);
    m_entries = new QListWidget(this);
    m_entriesCaption->setBuddy(m_dropDown);
    left->addWidget(m_entriesCaption);
    left->addWidget(m_dropDown);
    left->addWidget(m_entries);
    m_asList = new QCheckBox(withKey(msg(482), QLatin1Char('V')), this);
    left->addWidget(m_asList);
    left->addStretch();

    auto *right = new QVBoxLayout;
    columns->addLayout(right);
    m_preview = picturePreview(this, QSize(240, 180));
    right->addWidget(previewBox(this, m_preview));
    auto *size = new QFormLayout;
    right->addLayout(size);
    m_width = field(this, 5);
    m_width->setText(QStringLiteral("320"));
    m_height = field(this, 5);
    m_height->setText(QStringLiteral("240"));
    for (QLineEdit *edit : {m_width, m_height}) {
        edit->setMaximumWidth(90);
    }
    dialog.addFieldRow(size, QStringLiteral("&") + msg(834), m_width);
    dialog.addFieldRow(size, QStringLiteral("&") + msg(835), m_height);
    right->addStretch();

    connect(m_add, &QPushButton::clicked, this, [this] {
        if (m_file->text().trimmed().isEmpty())
            return;
        m_list.append({m_file->text().trimmed(), m_label->text()});
        refresh(int(m_list.size()) - 1);
    });
    connect(m_edit, &QPushButton::clicked, this, [this] {
        if (m_current < 0 || m_file->text().trimmed().isEmpty())
            return;
        m_list[m_current] = {m_file->text().trimmed(), m_label->text()};
        refresh(m_current);
    });
    connect(m_erase, &QPushButton::clicked, this, [this] {
        if (m_current < 0)
            return;
        m_list.removeAt(m_current);
        refresh(qMin(m_current, int(m_list.size()) - 1));
    });
    connect(m_up, &QToolButton::clicked, this, [this] { move(-1); });
    connect(m_down, &QToolButton::clicked, this, [this] { move(1); });
    connect(m_entries, &QListWidget::currentRowChanged, this, &PictureListPage::select);
    connect(m_dropDown, &QComboBox::currentIndexChanged, this, &PictureListPage::select);
    connect(m_asList, &QCheckBox::toggled, this, [this] { refresh(m_current); });
    connect(m_file, &QLineEdit::textChanged, this, [this] { showPicture(m_preview, m_file->text(), QSize(240, 180)); });
    for (QLineEdit *edit : {m_width, m_height}) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
            edit->setText(QString::number(PictureSize(edit->text(), edit == m_width ? 320 : 240)));
            showCurrent();
        });
    }
    refresh(-1);
}

void PictureListPage::refresh(int current)
{
    {
        const QSignalBlocker blockList(m_entries);
        const QSignalBlocker blockCombo(m_dropDown);
        m_entries->clear();
        m_dropDown->clear();
        for (const PictureEntry &entry : m_list) {
            const QString shown = entry.text.isEmpty() ? entry.file : entry.text;
            m_entries->addItem(shown);
            m_dropDown->addItem(shown);
        }
    }
    const bool asList = m_asList->isChecked();
    m_entries->setVisible(asList);
    m_dropDown->setVisible(!asList);
    m_entriesCaption->setBuddy(asList ? static_cast<QWidget *>(m_entries) : m_dropDown);
    select(current);
}

void PictureListPage::select(int row)
{
    m_current = row >= 0 && row < m_list.size() ? row : -1;
    {
        const QSignalBlocker blockList(m_entries);
        const QSignalBlocker blockCombo(m_dropDown);
        m_entries->setCurrentRow(m_current);
        m_dropDown->setCurrentIndex(m_current);
    }
    m_edit->setEnabled(m_current >= 0);
    m_erase->setEnabled(m_current >= 0);
    m_up->setEnabled(m_current > 0);
    m_down->setEnabled(m_current >= 0 && m_current < m_list.size() - 1);
    if (m_current >= 0) {
        const QSignalBlocker blockFile(m_file);
        m_file->setText(m_list.at(m_current).file);
        m_label->setText(m_list.at(m_current).text);
    }
    showCurrent();
}

void PictureListPage::move(int step)
{
    const int to = m_current + step;
    if (m_current < 0 || to < 0 || to >= m_list.size())
        return;
    m_list.swapItemsAt(m_current, to);
    refresh(to);
}

void PictureListPage::showCurrent()
{
    const QSize wanted(PictureSize(m_width->text(), 320), PictureSize(m_height->text(), 240));
    // The preview keeps the proportions the page will show, within its box.
    const QSize box = wanted.scaled(QSize(240, 180), Qt::KeepAspectRatio);
    showPicture(m_preview, m_current >= 0 ? m_list.at(m_current).file : m_file->text(), box);
}

bool PictureListPage::write(ScriptWizardContext &context)
{
    PictureListWizard wizard;
    wizard.entries = m_list;
    wizard.listView = m_asList->isChecked();
    wizard.width = PictureSize(m_width->text(), 320);
    wizard.height = PictureSize(m_height->text(), 240);
    m_width->setText(QString::number(wizard.width));
    m_height->setText(QString::number(wizard.height));
    return WritePictureList(context, wizard);
}

// ---------------------------------------------------------------- picture link

PictureLinkPage::PictureLinkPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *layout = new QVBoxLayout(this);
    QFormLayout *form = new QFormLayout;
    layout->addLayout(form);
    m_normal = field(this, 255);
    QToolButton *browseNormal = dialog.browseButton(m_normal, msg(3003));
    browseNormal->setParent(this);
    dialog.addFieldRow(form, msg(7717), m_normal, browseNormal);
    m_over = field(this, 255);
    QToolButton *browseOver = dialog.browseButton(m_over, msg(3003));
    browseOver->setParent(this);
    dialog.addFieldRow(form, msg(7718), m_over, browseOver);
    m_link = field(this, 1024);
    m_link->setPlaceholderText(QStringLiteral("<A HREF=\"page.htm\">"));
    dialog.addFieldRow(form, msg(7719), m_link);
    auto *linkButtons = new QHBoxLayout;
    m_external = new QPushButton(QStringLiteral("Lien &externe..."), this);
    m_internal = new QPushButton(QStringLiteral("Lien &interne..."), this);
    for (QPushButton *button : {m_external, m_internal}) {
        button->setAutoDefault(false);
        linkButtons->addWidget(button);
    }
    linkButtons->addStretch();
    form->addRow(QString(), linkButtons);

    auto *previews = new QWidget(this);
    auto *grid = new QHBoxLayout(previews);
    grid->setContentsMargins(0, 0, 0, 0);
    const QSize box(150, 110);
    m_normalPreview = picturePreview(previews, box);
    m_overPreview = picturePreview(previews, box);
    m_tryPreview = picturePreview(previews, box);
    m_tryPreview->setToolTip(QStringLiteral("Passez la souris sur l'image pour essayer"));
    m_tryPreview->setMouseTracking(true);
    m_tryPreview->installEventFilter(this);
    const struct
    {
        QLabel *label;
        const char *caption;
    } columns[] = {{m_normalPreview, "Hors image"}, {m_overPreview, "Sur image"}, {m_tryPreview, "Essai"}};
    for (const auto &column : columns) {
        auto *stack = new QVBoxLayout;
        stack->addWidget(new QLabel(QString::fromUtf8(column.caption), previews), 0, Qt::AlignHCenter);
        stack->addWidget(column.label);
        grid->addLayout(stack);
    }
    layout->addWidget(previewBox(this, previews));
    layout->addStretch();

    connect(m_normal, &QLineEdit::textChanged, this, &PictureLinkPage::refresh);
    connect(m_over, &QLineEdit::textChanged, this, &PictureLinkPage::refresh);
    connect(m_external, &QPushButton::clicked, this, [this] { chooseLink(true); });
    connect(m_internal, &QPushButton::clicked, this, [this] { chooseLink(false); });
}

void PictureLinkPage::chooseLink(bool external)
{
    std::unique_ptr<LinkDialogBase> link;
    if (external)
        link = std::make_unique<ExternalLinkDialog>(dialog().services(), LinkMode::ReturnTag, this);
    else
        link = std::make_unique<InternalLinkDialog>(dialog().services(), LinkMode::ReturnTag, this);
    if (link->exec() == QDialog::Accepted && !link->startTag().isEmpty())
        m_link->setText(link->startTag());
}

void PictureLinkPage::refresh()
{
    const QSize box(150, 110);
    const auto fit = [this, box](const QString &name) {
        QImageReader reader(pictureOnDisk(name));
        const QSize own = reader.size();
        if (!own.isValid() || own.boundedTo(box) == own)
            return own;
        return own.scaled(box, Qt::KeepAspectRatio);
    };
    m_normalSize = showPicture(m_normalPreview, m_normal->text(), fit(m_normal->text()));
    showPicture(m_overPreview, m_over->text(), fit(m_over->text()));
    showPicture(m_tryPreview, m_normal->text(), fit(m_normal->text()));
}

bool PictureLinkPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tryPreview && (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        const QLabel *source = event->type() == QEvent::Enter ? m_overPreview : m_normalPreview;
        m_tryPreview->setPixmap(source->pixmap());
    }
    return WizardPage::eventFilter(watched, event);
}

bool PictureLinkPage::write(ScriptWizardContext &context)
{
    PictureLinkWizard wizard{m_link->text().trimmed(), m_normal->text().trimmed(), m_over->text().trimmed(),
                             m_normalSize.width(), m_normalSize.height()};
    return WritePictureLink(context, wizard);
}
