// main() of every test program: the Qt application object exists for the
// whole run, as widgets, fonts and images need it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSurfaceFormat>

#include "app/gl_view_widget.h"

int main(int argc, char** argv) {
    // Run by hand without a display, a test uses Qt's offscreen platform
    // (CTest sets the platform of each test itself).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QSurfaceFormat::setDefaultFormat(vm::ViewSurfaceFormat(4));
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
