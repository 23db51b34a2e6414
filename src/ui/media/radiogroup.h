#pragma once

#include <QString>

#include <initializer_list>

class QButtonGroup;
class QLayout;
class QWidget;

// A titled box of radio buttons added to layout, numbered from 0 in the
// order given, the first one checked.
QButtonGroup *radioGroup(QWidget *owner, QLayout *layout, const QString &title,
                         std::initializer_list<const char *> items);
