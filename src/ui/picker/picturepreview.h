#pragma once

#include "ui/images/picture.h"

#include <QFrame>
#include <QFutureWatcher>
#include <QThreadPool>

class QLabel;

// The picker's preview: a fixed panel showing a picture scaled so that its
// larger side fits the panel less 4 pixels, centred, proportions kept.
// Pictures are decoded on a worker thread at the preview size, so a large
// file never freezes the dialog; a result that arrives after another file
// was asked for is dropped.
class PicturePreview : public QFrame
{
    Q_OBJECT
public:
    explicit PicturePreview(QWidget *parent = nullptr);
    ~PicturePreview() override;

    // Starts decoding file; loaded() follows.
    void showFile(const QString &file);
    // Empties the panel and forgets any decode under way; text (a failure
    // reason) is shown in the panel when given.
    void clear(const QString &text = QString());

    // The file shown or being decoded; empty when cleared.
    QString file() const { return m_file; }
    // Whether a picture is on show.
    bool hasPicture() const;
    // The size pictures are decoded to fit.
    QSize pictureBox() const;

signals:
    // The decode of file ended: the picture as stored (width, height), or a
    // failure with picture.status.
    void loaded(const QString &file, const LoadedPicture &picture);

private:
    void decodeFinished();

    QLabel *m_image;
    QString m_file;
    QThreadPool m_pool;
    QFutureWatcher<LoadedPicture> m_watcher;
};
