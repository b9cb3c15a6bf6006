#pragma once
// CGL2AviApp: starts the program and keeps the view redrawing whenever the
// event loop has nothing else to do.

#include <QObject>
#include <QTimer>
#include <memory>

#include "ui/qt_platform.h"

namespace vm {

class CGL2AviView;
class CMainFrame;
class GLViewWidget;

class CGL2AviApp : public QObject {
    Q_OBJECT
public:
    CGL2AviApp();
    ~CGL2AviApp() override;

    // The instance initialisation: settings key, document, frame and view,
    // then the main window is shown. False when the view's OpenGL context
    // could not be created (the user has been told).
    bool InitInstance();

    CMainFrame* mainFrame() const { return m_frame.get(); }
    CGL2AviView* view() const { return m_view.get(); }
    QtPlatform& platform() { return m_platform; }

    static const char* const kCreateFailedText;

private:
    QtPlatform m_platform;
    std::unique_ptr<CGL2AviView> m_view;
    std::unique_ptr<CMainFrame> m_frame;
};

// Sets the organisation and application names under which settings live.
void SetSettingsKey();

}  // namespace vm
