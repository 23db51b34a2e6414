#pragma once

#include <QString>

// Text of catalogue message n (empty when the catalogue has none).
QString msg(int n);

// Texts the program shows that carry no catalogue number.
namespace Texts {
inline const QString AskWriteUtf8 = QStringLiteral(
    "Cette page contient des caractères que son encodage (Windows-1252) ne peut pas "
    "représenter. Voulez-vous la sauvegarder en UTF-8?");
inline const QString WriteFailed = QStringLiteral(" n'a pas pu être sauvegardé.");
} // namespace Texts
