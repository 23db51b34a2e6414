#include "ui/livepreview/livepreviewengine.h"

#include <QApplication>

#include <gtest/gtest.h>

// The live preview's window tests: the engine is prepared before the
// application object, as the program does it.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareLivePreviewEngine();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orbelune"));
    QApplication::setApplicationName(QStringLiteral("TessalineTests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
