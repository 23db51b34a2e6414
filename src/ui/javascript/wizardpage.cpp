#include "ui/javascript/wizardpage.h"

#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/elementdialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

namespace WizardForm {

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

} // namespace WizardForm

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
