#include "ui/picker/picturepreview.h"

#include <QLabel>
#include <QPixmap>
#include <QPromise>
#include <QVBoxLayout>

#include <memory>

namespace {
constexpr int PanelSide = 200;
}

PicturePreview::PicturePreview(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setFixedSize(PanelSide, PanelSide);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    m_image = new QLabel(this);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setWordWrap(true);
    layout->addWidget(m_image);
    // One decode at a time: a new file waits for the running one, and only
    // the last asked for is shown.
    m_pool.setMaxThreadCount(1);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &PicturePreview::decodeFinished);
}

PicturePreview::~PicturePreview()
{
    m_watcher.disconnect(this);
    m_pool.clear();
    m_pool.waitForDone();
}

QSize PicturePreview::pictureBox() const
{
    return QSize(PanelSide - 4, PanelSide - 4);
}

bool PicturePreview::hasPicture() const
{
    return !m_image->pixmap().isNull();
}

void PicturePreview::showFile(const QString &file)
{
    m_file = file;
    m_image->clear();
    // Files queued but not started are no longer wanted.
    m_pool.clear();
    auto promise = std::make_shared<QPromise<LoadedPicture>>();
    promise->start();
    m_watcher.setFuture(promise->future());
    m_pool.start([promise, file, box = pictureBox()] {
        promise->addResult(LoadPicture(file, box));
        promise->finish();
    });
}

void PicturePreview::clear(const QString &text)
{
    m_file.clear();
    m_pool.clear();
    m_watcher.setFuture(QFuture<LoadedPicture>());
    m_image->clear();
    m_image->setText(text);
}

void PicturePreview::decodeFinished()
{
    const QFuture<LoadedPicture> future = m_watcher.future();
    if (m_file.isEmpty() || future.resultCount() == 0)
        return;
    const LoadedPicture picture = future.result();
    if (picture.ok())
        m_image->setPixmap(QPixmap::fromImage(picture.image));
    else
        m_image->setText(picture.status);
    emit loaded(m_file, picture);
}
