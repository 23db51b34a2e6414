#pragma once

class QObject;

// The thread, one per name, on which long work of one kind runs in turn
// (the spelling, the HTML check), at a lower priority than the interface:
// its results may come a moment later, a keystroke may not. Post work to it
// with QMetaObject::invokeMethod(backgroundThread("name"), job). Made at
// first use and stopped when the program ends.
QObject *backgroundThread(const char *name);
