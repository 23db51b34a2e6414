#include "ui/javascript/picturelinkpage.h"

#include "core/messages/messages.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/elementdialog.h"
#include "ui/dialogs/linkdialogs.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace WizardForm;

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
