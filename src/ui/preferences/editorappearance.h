#pragma once

class EditorWidget;
struct Settings;

// The editor font (name and size) and colours (text and background) of the
// settings, applied to one editor.
void applyEditorFont(EditorWidget &editor, const Settings &settings);

// The margins of the settings applied to one editor: with margins on, word
// wrap between the left and right margins; otherwise no wrap and no margins.
void applyEditorMargins(EditorWidget &editor, const Settings &settings);
