#pragma once

#include "core/text/textcodec.h"

#include <QByteArrayView>

class ByteOutput;

// Compaction over a page's bytes (after its mark), in a file whose line ends
// are all lineEnd: the same bytes as compacting the decoded text.
void compactBytes(QByteArrayView body, LineEnd lineEnd, ByteOutput &out);
