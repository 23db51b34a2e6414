#include "ui/forms/controlsdialog.h"

#include "core/forms/formplacement.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/forms/choiceeditor.h"
#include "ui/forms/formdialog.h"
#include "ui/shell/uiguards.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <optional>

namespace {

struct PageInfo
{
    int caption;
    const char *anchors[3]; // by sub-kind
};

PageInfo pageInfo(ControlKind kind)
{
    switch (kind) {
    case ControlKind::CheckBoxes:
        return {443, {"cases"}};
    case ControlKind::RadioButtons:
        return {445, {"radio"}};
    case ControlKind::ListBox:
        return {449, {"liste"}};
    case ControlKind::DropDown:
        return {451, {"deroulante"}};
    case ControlKind::TextArea:
        return {458, {"multiligne"}};
    case ControlKind::TextBox:
        return {468, {"texte", "motdepasse"}};
    case ControlKind::Button:
        return {477, {"bouton", "recommencer", "soumettre"}};
    case ControlKind::Hidden:
        break;
    }
    return {480, {"cachee"}};
}

QSpinBox *spinBox(QWidget *parent, int minimum, int maximum, int value)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

// The caption with "&" before the first occurrence of letter.
QString mnemonic(const QString &caption, QChar letter)
{
    QString text = caption;
    const qsizetype at = text.indexOf(letter);
    return at < 0 ? u'&' + text : text.insert(at, u'&');
}

QGroupBox *sketchBox(QWidget *parent)
{
    return new QGroupBox(msg(232), parent);
}

} // namespace

ControlsDialog::ControlsDialog(DialogServices &services, ControlKind kind, int subKind, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Eléments du formulaire"), QStringLiteral("formulaire-elements.html"),
                    parent)
    , m_kind(kind)
    , m_pages(new QTabWidget(this))
    , m_events(std::make_unique<EventsDialog>(services, this))
{
    setObjectName(QStringLiteral("TBoitesFrm"));
    body()->addWidget(m_pages);
    auto *page = new QWidget(m_pages);
    m_pages->addTab(page, msg(pageInfo(kind).caption));
    auto *layout = new QVBoxLayout(page);

    switch (kind) {
    case ControlKind::CheckBoxes:
    case ControlKind::RadioButtons:
    case ControlKind::ListBox:
    case ControlKind::DropDown:
        buildChoicesPage(layout);
        break;
    case ControlKind::TextArea:
        buildTextAreaPage(layout);
        break;
    case ControlKind::TextBox:
        buildTextBoxPage(layout, subKind);
        break;
    case ControlKind::Button:
        buildButtonPage(layout, subKind);
        break;
    case ControlKind::Hidden:
        buildHiddenPage(layout);
        break;
    }

    m_scriptButton = buttonBox()->addButton(QStringLiteral("&Script"), QDialogButtonBox::ActionRole);
    connect(m_scriptButton, &QPushButton::clicked, this, [this] { m_events->exec(); });
    typeChanged();
    if (m_name)
        m_name->setFocus();
    else if (m_value)
        m_value->setFocus();
}

ControlsDialog::~ControlsDialog() = default;

void ControlsDialog::buildChoicesPage(QVBoxLayout *layout)
{
    QFormLayout *form = addForm(layout);
    m_name = addField(form, u'&' + msg(440).trimmed() + u':', lineEdit(256));
    if (m_kind == ControlKind::CheckBoxes || m_kind == ControlKind::RadioButtons) {
        m_lineBreaks = new QCheckBox(u'&' + msg(441).trimmed(), this);
        m_lineBreaks->setChecked(true);
        layout->addWidget(m_lineBreaks);
    } else if (m_kind == ControlKind::ListBox) {
        m_visibleLines = addField(form, u'&' + msg(447), spinBox(this, 1, 999, 3));
        m_multiple = new QCheckBox(mnemonic(msg(448), u'p'), this);
        layout->addWidget(m_multiple);
    }
    m_choices = new ChoiceEditor(m_kind, services().host.prompts(), this);
    m_sketch = m_choices->sketchList()->parentWidget()->parentWidget();
    layout->addWidget(m_choices, 1);
}

void ControlsDialog::buildTextAreaPage(QVBoxLayout *layout)
{
    QFormLayout *form = addForm(layout);
    m_name = addField(form, u'&' + msg(7713), lineEdit(256));
    auto *sizes = new QHBoxLayout;
    m_columns = spinBox(this, 1, 9999, 1);
    m_rows = spinBox(this, 1, 9999, 1);
    for (auto [caption, spin] : {std::pair{mnemonic(msg(459), u'C'), m_columns}, {mnemonic(msg(460), u'R'), m_rows}}) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(spin);
        sizes->addWidget(label);
        sizes->addWidget(spin);
    }
    sizes->addStretch();
    layout->addLayout(sizes);
    auto *wrapBox = new QGroupBox(msg(454), this);
    auto *wrapLayout = new QHBoxLayout(wrapBox);
    m_wraps = new QButtonGroup(this);
    const QChar letters[] = {u'D', u'V', u'P'};
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(mnemonic(msg(455 + i), letters[i]), wrapBox);
        m_wraps->addButton(radio, i);
        wrapLayout->addWidget(radio);
    }
    m_wraps->button(WrapOff)->setChecked(true);
    layout->addWidget(wrapBox);
    auto *textCaption = new QLabel(QStringLiteral("&Texte initial:"), this);
    m_text = new QPlainTextEdit(this);
    m_text->setTabChangesFocus(true);
    textCaption->setBuddy(m_text);
    layout->addWidget(textCaption);
    layout->addWidget(m_text, 1);

    auto *box = sketchBox(this);
    auto *boxLayout = new QVBoxLayout(box);
    auto *preview = new QPlainTextEdit(box);
    preview->setReadOnly(true);
    preview->setFocusPolicy(Qt::NoFocus);
    preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    boxLayout->addWidget(preview);
    m_sketch = preview;
    layout->addWidget(box);
    connect(m_text, &QPlainTextEdit::textChanged, this, &ControlsDialog::refreshSketch);
    connect(m_columns, &QSpinBox::valueChanged, this, &ControlsDialog::refreshSketch);
    connect(m_rows, &QSpinBox::valueChanged, this, &ControlsDialog::refreshSketch);
    connect(m_wraps, &QButtonGroup::idClicked, this, &ControlsDialog::refreshSketch);
}

QButtonGroup *ControlsDialog::typeGroup(QVBoxLayout *layout, int caption, std::initializer_list<int> items, int checked)
{
    auto *box = new QGroupBox(msg(caption), this);
    auto *boxLayout = new QHBoxLayout(box);
    auto *group = new QButtonGroup(this);
    const QChar letters[] = {u'x', u'm', u'r'};
    int id = 0;
    for (int item : items) {
        // "Boîte te&xte", "Boîte &mot de passe"; "&Bouton", "Bouton &recommencer", "Bouton s&oumettre".
        QString text = msg(item);
        if (caption == 469)
            text = id == 0 ? mnemonic(text, u'B') : mnemonic(text, id == 1 ? u'r' : u'o');
        else
            text = mnemonic(text, letters[id]);
        auto *radio = new QRadioButton(text, box);
        group->addButton(radio, id++);
        boxLayout->addWidget(radio);
    }
    boxLayout->addStretch();
    if (QAbstractButton *button = group->button(checked))
        button->setChecked(true);
    layout->addWidget(box);
    connect(group, &QButtonGroup::idClicked, this, &ControlsDialog::typeChanged);
    return group;
}

void ControlsDialog::buildTextBoxPage(QVBoxLayout *layout, int subKind)
{
    m_types = typeGroup(layout, 461, {462, 463}, subKind);
    QFormLayout *form = addForm(layout);
    m_name = addField(form, u'&' + msg(7713), lineEdit(256));
    m_visibleLength = addField(form, mnemonic(msg(466), u'v'), spinBox(this, 0, 999, 40));
    m_maxLength = addField(form, mnemonic(msg(467), u'p'), spinBox(this, 0, 999, 40));
    auto *box = sketchBox(this);
    auto *boxLayout = new QFormLayout(box);
    m_value = lineEdit(40);
    m_value->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    addField(boxLayout, QStringLiteral("Valeur &initiale:"), m_value);
    m_sketch = m_value;
    layout->addWidget(box);
    layout->addStretch();
    connect(m_visibleLength, &QSpinBox::valueChanged, this, &ControlsDialog::refreshSketch);
    connect(m_maxLength, &QSpinBox::valueChanged, this, &ControlsDialog::refreshSketch);
}

void ControlsDialog::buildButtonPage(QVBoxLayout *layout, int subKind)
{
    m_types = typeGroup(layout, 469, {470, 471, 472}, subKind);
    auto *caption = new QLabel(mnemonic(msg(476), u'T'), this);
    m_value = lineEdit(256);
    caption->setBuddy(m_value);
    layout->addWidget(caption);
    layout->addWidget(m_value);
    auto *box = sketchBox(this);
    auto *boxLayout = new QHBoxLayout(box);
    auto *button = new QPushButton(box);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    boxLayout->addWidget(button);
    boxLayout->addStretch();
    m_sketch = button;
    layout->addWidget(box);
    layout->addStretch();
    connect(m_value, &QLineEdit::textChanged, this, &ControlsDialog::refreshSketch);
}

void ControlsDialog::buildHiddenPage(QVBoxLayout *layout)
{
    QFormLayout *form = addForm(layout);
    m_name = addField(form, u'&' + msg(7713), lineEdit(256));
    m_value = addField(form, mnemonic(msg(479), u'V'), lineEdit(256));
    auto *box = sketchBox(this);
    auto *boxLayout = new QVBoxLayout(box);
    QLabel *hint = note(QStringLiteral("Une entrée cachée n'est pas visible dans la page : sa valeur est envoyée "
                                       "avec le formulaire."));
    boxLayout->addWidget(hint);
    m_sketch = hint;
    layout->addWidget(box);
    layout->addStretch();
}

int ControlsDialog::subKind() const
{
    return m_types ? qMax(0, m_types->checkedId()) : 0;
}

void ControlsDialog::typeChanged()
{
    std::vector<JsEvent> events = ControlEvents(m_kind, subKind());
    for (int i = 1; i <= JsEventCount; ++i)
        m_events->setEventEnabled(JsEvent(i), std::find(events.begin(), events.end(), JsEvent(i)) != events.end());
    m_scriptButton->setVisible(!events.empty());
    if (m_kind == ControlKind::TextBox)
        m_value->setEchoMode(subKind() == PasswordBox ? QLineEdit::Password : QLineEdit::Normal);
    refreshSketch();
}

void ControlsDialog::refreshSketch()
{
    if (m_kind == ControlKind::TextBox) {
        const int visible = m_visibleLength->value() > 0 ? m_visibleLength->value() : 20;
        m_value->setFixedWidth(qMin(8 * visible + 6, 486));
        m_value->setMaxLength(m_maxLength->value() > 0 ? m_maxLength->value() : 32767);
    } else if (m_kind == ControlKind::Button) {
        static_cast<QPushButton *>(m_sketch)->setText(m_value->text());
    } else if (m_kind == ControlKind::TextArea) {
        auto *preview = static_cast<QPlainTextEdit *>(m_sketch);
        preview->setPlainText(m_text->toPlainText());
        preview->setLineWrapMode(m_wraps->checkedId() == WrapOff ? QPlainTextEdit::NoWrap
                                                                 : QPlainTextEdit::WidgetWidth);
        const QFontMetrics metrics(preview->font());
        const int width = qMin(metrics.averageCharWidth() * m_columns->value(), 480) + 12;
        const int height = qMin(metrics.lineSpacing() * m_rows->value(), 160) + 12;
        preview->setFixedSize(width, height);
    }
}

FormControl ControlsDialog::control() const
{
    FormControl c;
    c.kind = m_kind;
    c.subKind = subKind();
    if (m_name)
        c.name = m_name->text();
    if (m_choices)
        c.values = m_choices->choices().values();
    if (m_lineBreaks)
        c.lineBreaks = m_lineBreaks->isChecked();
    if (m_visibleLines)
        c.visibleLines = m_visibleLines->value();
    if (m_multiple)
        c.multiple = m_multiple->isChecked();
    if (m_columns) {
        c.columns = m_columns->value();
        c.rows = m_rows->value();
        c.wrap = TextWrap(qMax(0, m_wraps->checkedId()));
        c.initialText = m_text->toPlainText();
    }
    if (m_visibleLength) {
        c.visibleLength = m_visibleLength->value();
        c.maxLength = m_maxLength->value();
    }
    if (m_value)
        c.value = m_value->text();
    c.events = m_events->calls();
    return c;
}

QString ControlsDialog::helpAnchor() const
{
    const PageInfo info = pageInfo(m_kind);
    const int sub = subKind();
    return QLatin1String(sub < 3 && info.anchors[sub] ? info.anchors[sub] : info.anchors[0]);
}

bool ControlsDialog::confirm()
{
    const FormControl c = control();
    DocumentHost &host = services().host;
    if (const int problem = ControlProblem(c)) {
        host.prompts().information(msg(problem));
        return false;
    }
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return true;
    // The hourglass and the frozen frame only while the page changes, not
    // while the FORM dialog waits for the author.
    std::optional<BusyCursor> busy;
    std::optional<PaintingFreeze> freeze;
    auto holdWindow = [&] {
        busy.emplace();
        freeze.emplace(host.window());
    };
    if (IsInsideForm(text->text(), text->selectionStart()))
        holdWindow();
    const bool written = WriteFormControl(*text, *undo, host.editorState(), ControlMarkup(c), [&] {
        FormDialog form(services(), FormDialog::StartTagMode, this);
        if (form.exec() != QDialog::Accepted)
            return false;
        holdWindow();
        return true;
    });
    if (written)
        host.UpdateCommandStates();
    return written;
}
