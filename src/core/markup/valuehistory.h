#pragma once

#include <QString>
#include <QStringList>

// The recently used values of a combo box (file names, addresses), most
// recent first, at most MaxComboHistory distinct entries.
constexpr qsizetype MaxComboHistory = 8;

// Puts value first in history, dropping an equal entry (exact comparison)
// and the oldest ones beyond the limit. An empty value changes nothing.
void AddToComboHistory(QStringList &history, const QString &value);
