#include <csignal>

#include <QGuiApplication>
#include <cstdio>

#include "cli/headless_renderer.h"
#include "cli/render_options.h"

int main(int argc, char** argv) {
    // A file-size limit makes a write fail (and be reported) instead of
    // ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // Fonts and images need a GUI application object, but no window system.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QString error;
    const auto options = vm::ParseRenderOptions(application.arguments().mid(1), error);
    if (!options) {
        std::fprintf(stderr, "vellumark-render: %s\n\n%s", qPrintable(error), qPrintable(vm::RenderUsage()));
        return 1;
    }
    if (options->help) {
        std::fputs(qPrintable(vm::RenderUsage()), stdout);
        return 0;
    }
    return vm::RunHeadlessRender(*options);
}
