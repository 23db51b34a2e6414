#include "ui/body/bodydialog.h"

#include "core/dialogs/linkedfile.h"
#include "core/markup/editorstate.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/text/documenttext.h"
#include "ui/body/pagesketch.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/images/picture.h"
#include "ui/preferences/colorswatchbutton.h"
#include "ui/shell/mainwindow.h"
#include "ui/tagcommands/tooltabs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

QColor toQColor(HtmlColor c)
{
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}
HtmlColor toHtml(const QColor &c)
{
    return HtmlColor(c.red()) | HtmlColor(c.green()) << 8 | HtmlColor(c.blue()) << 16;
}

} // namespace

TBodyFrm::TBodyFrm(DialogServices &services, const QString &elementText, QWidget *parent)
    : ElementDialog(services, msg(368), QStringLiteral("corps.html"), parent)
{
    body()->addWidget(note(QStringLiteral("Définition des propriétés du corps de la page HTML.")));
    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    body()->addLayout(columns);

    auto *paper = new QGroupBox(QStringLiteral("Papier peint d'arrière-plan"), this);
    auto *paperForm = new QFormLayout(paper);
    m_background = historyCombo(512);
    auto *browse = new QToolButton(this);
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Parcourir"));
    browse->setFocusPolicy(Qt::StrongFocus);
    addFieldRow(paperForm, QStringLiteral("&Papier peint:"), m_background, browse);
    m_fixed = new QCheckBox(QStringLiteral("Arrière-plan &figé"), paper);
    paperForm->addRow(m_fixed);
    left->addWidget(paper);

    auto *colours = new QGroupBox(QStringLiteral("Options sur les couleurs"), this);
    auto *colourForm = new QFormLayout(colours);
    const char *captions[] = {"Arrière-pl&an:", "Te&xte:", "&Lien:", "Lien a&ctif:", "Lien &visité:"};
    for (int i = 0; i < ColourCount; ++i) {
        m_colours[i] = new ColorSwatchButton(colours);
        addFieldRow(colourForm, QString::fromUtf8(captions[i]), m_colours[i]);
        connect(m_colours[i], &ColorSwatchButton::colorChanged, this, &TBodyFrm::refreshSketch);
    }
    m_netscape = new QRadioButton(QStringLiteral("&Netscape"), colours);
    m_explorer = new QRadioButton(QStringLiteral("Expl&orer"), colours);
    auto *browsers = new QHBoxLayout;
    browsers->addWidget(m_netscape);
    browsers->addWidget(m_explorer);
    colourForm->addRow(browsers);
    m_netscape->setChecked(true);
    left->addWidget(colours);

    auto *extensions = new QGroupBox(QStringLiteral("Extensions de Microsoft Explorer"), this);
    auto *extensionForm = new QFormLayout(extensions);
    m_left = new QSpinBox(extensions);
    m_top = new QSpinBox(extensions);
    for (QSpinBox *margin : {m_left, m_top})
        margin->setRange(0, 9999);
    addFieldRow(extensionForm, QStringLiteral("Marge de &gauche:"), m_left);
    addFieldRow(extensionForm, QStringLiteral("Marge du &haut:"), m_top);
    right->addWidget(extensions);

    auto *sketchGroup = new QGroupBox(QStringLiteral("Esquisse"), this);
    auto *sketchLayout = new QVBoxLayout(sketchGroup);
    m_sketch = new PageSketch(sketchGroup);
    sketchLayout->addWidget(m_sketch);
    right->addWidget(sketchGroup, 1);

    m_script = buttonBox()->addButton(QStringLiteral("&Script"), QDialogButtonBox::ActionRole);
    m_clear = buttonBox()->addButton(QStringLiteral("&Effacer"), QDialogButtonBox::ResetRole);

    m_events = new EventsDialog(services, this);
    m_events->enableEvents({JsEvent::onLoad, JsEvent::onUnload});

    setProperties(elementText.isEmpty() ? DefaultBodyProperties(BodyBrowser::Netscape) : ReadBodyTag(elementText));

    connect(browse, &QToolButton::clicked, this, [this] {
        const QString path = browseFile(msg(3003));
        if (path.isEmpty())
            return;
        m_background->setEditText(path);
        remember(m_background);
    });
    connect(m_background, &QComboBox::editTextChanged, this, &TBodyFrm::backgroundChanged);
    connect(m_explorer, &QRadioButton::toggled, this, &TBodyFrm::browserToggled);
    connect(m_clear, &QPushButton::clicked, this, &TBodyFrm::clearAll);
    connect(m_script, &QPushButton::clicked, m_events, &QDialog::exec);
    connect(m_left, &QSpinBox::valueChanged, this, [this] { m_leftText.clear(); });
    connect(m_top, &QSpinBox::valueChanged, this, [this] { m_topText.clear(); });
}

BodyBrowser TBodyFrm::browser() const
{
    return m_explorer->isChecked() ? BodyBrowser::Explorer : BodyBrowser::Netscape;
}

BodyProperties TBodyFrm::properties() const
{
    BodyProperties body;
    body.background = m_background->currentText();
    HtmlColor *colours[] = {&body.backgroundColour, &body.textColour, &body.linkColour, &body.activeLinkColour,
                            &body.visitedLinkColour};
    for (int i = 0; i < ColourCount; ++i)
        *colours[i] = toHtml(m_colours[i]->color());
    body.fixedBackground = m_fixed->isChecked();
    body.leftMargin = m_leftText.isEmpty() ? QString::number(m_left->value()) : m_leftText;
    body.topMargin = m_topText.isEmpty() ? QString::number(m_top->value()) : m_topText;
    body.onLoad = m_events->call(JsEvent::onLoad);
    body.onUnload = m_events->call(JsEvent::onUnload);
    return body;
}

void TBodyFrm::setProperties(const BodyProperties &body)
{
    m_background->setEditText(body.background);
    const HtmlColor colours[] = {body.backgroundColour, body.textColour, body.linkColour, body.activeLinkColour,
                                 body.visitedLinkColour};
    for (int i = 0; i < ColourCount; ++i)
        m_colours[i]->setColor(toQColor(colours[i]));
    m_fixed->setChecked(body.fixedBackground);
    // A margin that does not read as a number of at least 1 counts as 0.
    m_left->setValue(std::max(0, body.leftMargin.toInt()));
    m_top->setValue(std::max(0, body.topMargin.toInt()));
    m_leftText = QString::number(m_left->value()) == body.leftMargin ? body.leftMargin : QString();
    m_topText = QString::number(m_top->value()) == body.topMargin ? body.topMargin : QString();
    m_events->setCall(JsEvent::onLoad, body.onLoad);
    m_events->setCall(JsEvent::onUnload, body.onUnload);
    backgroundChanged();
    refreshSketch();
}

void TBodyFrm::browserToggled()
{
    BodyProperties body = properties();
    SwitchBodyBrowser(body, browser());
    setProperties(body);
}

void TBodyFrm::clearAll()
{
    setProperties(DefaultBodyProperties(browser()));
}

void TBodyFrm::backgroundChanged()
{
    const QString file = ResolveLinkedFile(m_background->currentText(), services().pageFileName());
    QImage picture;
    if (!m_background->currentText().isEmpty() && QFileInfo(file).isFile()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        picture = LoadPicture(file, QSize(1024, 1024)).image;
        QApplication::restoreOverrideCursor();
    }
    m_sketch->setBackgroundPicture(picture);
}

void TBodyFrm::refreshSketch()
{
    m_sketch->setBackgroundColour(m_colours[Background]->color());
    m_sketch->setSampleColour(PageSketch::Text, m_colours[Text]->color());
    m_sketch->setSampleColour(PageSketch::Link, m_colours[Link]->color());
    m_sketch->setSampleColour(PageSketch::ActiveLink, m_colours[ActiveLink]->color());
    m_sketch->setSampleColour(PageSketch::VisitedLink, m_colours[VisitedLink]->color());
}

bool TBodyFrm::confirm()
{
    const BodyProperties body = properties();
    if (!body.background.isEmpty() && !confirmExistingFile(body.background))
        return false;
    DocumentHost &host = services().host;
    if (!host.activeText() || !host.activeUndo())
        return false;
    if (!WriteBodyTag(*host.activeText(), *host.activeUndo(), host.editorState(), host.prompts(), body))
        return false;
    host.UpdateCommandStates();
    return true;
}

void RunBodyCommand(DialogServices &services)
{
    DocumentHost &host = services.host;
    DocumentText *text = host.activeText();
    if (!text)
        return;
    host.editorState().SelectedElementText = BodyElementToEdit(*text);
    TBodyFrm dialog(services, host.editorState().SelectedElementText, host.window());
    dialog.exec();
}

void installBodyCommand(MainWindow &frame)
{
    DialogServices &services = frameDialogServices(frame);
    frame.toolTabs()->setDialogHandler(QStringLiteral("BodyBtn"), [&services] { RunBodyCommand(services); });
}
