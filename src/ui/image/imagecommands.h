#pragma once

#include "ui/dialogs/dialogservices.h"

class MainWindow;
class QAction;

// "Image" and "Image de formulaire": element edit mode on the selection
// (an IMG tag, or a form image's INPUT tag), then the image dialog.
void RunImageCommand(DialogServices &services, bool formImage);

// "&Image rapide": a picture chosen in the graphic file picker goes in as an
// IMG tag with its relative path and its own size, without a dialog.
void RunQuickImage(DialogServices &services);

// The image dialog for a caller that takes the tag (nothing is inserted,
// no events): the tag, empty when cancelled, and the main picture's file
// and size fields.
DialogServices::ChosenImage ChooseImage(DialogServices &services, QWidget *parent);

// Enables the two commands on the tool tabs and in their menu items and
// lends the dialog to the image map editor and the table cell editor.
void installImageCommands(MainWindow &frame);

// The document pop-up menu's "&Image rapide", owned by the frame window.
QAction *quickImageAction(MainWindow &frame);
