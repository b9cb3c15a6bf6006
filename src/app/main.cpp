#include <csignal>

#include <QApplication>
#include <QSurfaceFormat>

#include "app/application.h"
#include "app/gl_view_widget.h"

int main(int argc, char** argv) {
    // A file-size limit makes a write fail (and be reported) instead of
    // ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // The surface format must be the default before the application exists.
    QSurfaceFormat::setDefaultFormat(vm::ViewSurfaceFormat(4));
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    vm::CGL2AviApp app;
    if (!app.InitInstance()) return 1;
    return application.exec();
}
