#pragma once

#include "core/markup/colors.h"

#include <QStringView>

#include <optional>

// Colour values as pages write them: "#RRGGBB", "#RGB", the bare six digits
// of old pages, and the colour names of HTML and CSS ("white", "Navy",
// "lightsteelblue"), letter case ignored.

// The colour of a name; nullopt for a word that names none.
std::optional<HtmlColor> NamedColour(QStringView name);

// The colour a value stands for; nullopt when it stands for none.
std::optional<HtmlColor> ReadHtmlColour(QStringView value);
