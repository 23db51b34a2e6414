#pragma once

class QComboBox;

// Puts the combo box's current text first in its drop-down list of recently
// used values (at most 8, most recent first), keeping the text in the edit
// field. An empty text changes nothing.
void AddToComboHistory(QComboBox *comboBox);
