#include "ui/dialogs/dialogservices.h"

#include "core/markup/paths.h"
#include "core/shell/documenthost.h"
#include "ui/picker/picturepicker.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"

#include <QFileDialog>

QString DialogServices::relativePath(const QString &fileName)
{
    return RelativePath(fileName, pageFileName(), host.prompts(),
                        [this] { return saveDocumentAs ? saveDocumentAs() : QString(); });
}

QString DialogServices::pickPicture(QWidget *parent, const QString &filter)
{
    if (choosePicture)
        return choosePicture(parent, filter);
    return chooseFile ? chooseFile(parent, filter) : QString();
}

QStringList nameFiltersFromCatalogue(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        // Qt reads the patterns from the parentheses, separated by blanks.
        description.replace(QStringLiteral("; "), QStringLiteral(" ")).replace(u';', u' ').replace(u',', u' ');
        description.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        filters << description.simplified();
    }
    return filters;
}

namespace {

// Holds the services as a child of the frame window, so they live as long.
class ServicesHolder : public QObject
{
public:
    ServicesHolder(MainWindow &frame)
        : QObject(&frame)
        , services(frame)
    {
        setObjectName(QStringLiteral("DialogServices"));
        services.chooseFile = [&frame](QWidget *parent, const QString &filter) {
            QFileDialog dialog(parent ? parent : &frame, QString(), frame.files()->openFolder());
            dialog.setFileMode(QFileDialog::ExistingFile);
            dialog.setNameFilters(nameFiltersFromCatalogue(filter));
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
                return QString();
            return dialog.selectedFiles().constFirst();
        };
        services.documentFileName = [&frame] {
            DocumentWindow *document = frame.activeDocument();
            return document ? document->caption() : QString();
        };
        installPicturePicker(services);
        services.saveDocumentAs = [&frame] {
            frame.files()->FileSaveAsItemClick();
            DocumentWindow *document = frame.activeDocument();
            return document ? document->caption() : QString();
        };
    }

    DialogServices services;
};

} // namespace

DialogServices &frameDialogServices(MainWindow &frame)
{
    // Only the holder carries this name among the frame window's children.
    auto *holder = static_cast<ServicesHolder *>(
        frame.findChild<QObject *>(QStringLiteral("DialogServices"), Qt::FindDirectChildrenOnly));
    if (!holder)
        holder = new ServicesHolder(frame);
    return holder->services;
}
