#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The first bitmap resource of a 32-bit resource file (".res"), returned as
// the bytes of a BMP file (the file header the resource leaves out is put in
// front). Empty when the file holds no bitmap or is damaged.
QByteArray FirstBitmapFromResourceFile(QByteArrayView bytes);
