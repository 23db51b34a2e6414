#pragma once

#include <QImageIOHandler>

// Qt image-format handler over our PCX decoder: reads one PCX picture from
// its device (the whole file is read, then decoded with every bound
// checked).
class PcxHandler : public QImageIOHandler
{
public:
    bool canRead() const override;
    bool read(QImage *image) override;
    QVariant option(ImageOption option) const override;
    bool supportsOption(ImageOption option) const override;

    static bool canRead(QIODevice *device);
    QString errorText() const { return m_error; }

private:
    QString m_error;
};
