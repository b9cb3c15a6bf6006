// main() of every test program: the Qt application object exists for the
// whole run, as widgets, fonts and images need it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSurfaceFormat>

#include "app/gl_view_widget.h"

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(vm::ViewSurfaceFormat(4));
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
