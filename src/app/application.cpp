#include "app/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QStatusBar>

#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "export/generate_video.h"
#include "ui/my_sheet.h"
#include "view/gl2avi_view.h"

namespace vm {

const char* const CGL2AviApp::kCreateFailedText = "Failed to create empty document.";

void SetSettingsKey() {
    QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
    QCoreApplication::setApplicationName("Vellumark");
}

CGL2AviApp::CGL2AviApp() {
    // A zero-interval timer fires only once the event queue is empty: the
    // event loop's idle pass.
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &CGL2AviApp::OnIdle);
}

CGL2AviApp::~CGL2AviApp() {
    m_idle.stop();
    if (m_view && m_view->m_pControlDeck) delete static_cast<CMySheet*>(m_view->m_pControlDeck);
    m_frame.reset();  // destroys the view widget, which releases the context
    m_view.reset();
}

bool CGL2AviApp::InitInstance() {
    SetSettingsKey();
    m_view = std::make_unique<CGL2AviView>(m_platform);
    m_frame = std::make_unique<CMainFrame>(*m_view, m_platform);
    m_platform.setMainWindow(m_frame.get());
    m_frame->onControlDeck = [this] {
        OnControlDeck(
            *m_view, [this] { m_frame->routeCommand(32771); },
            [this](const QString& text) { m_frame->statusBar()->showMessage(text, 8000); });
    };
    m_frame->onGenerateAvi = [this] { GenerateVideo(*m_view); };
    m_platform.setResizeHandler([this](int w, int h) { m_frame->resizeViewTo(w, h); });

    GLViewWidget* widget = m_frame->viewWidget();
    bool created = false, answered = false;
    connect(widget, &GLViewWidget::contextCreated, this, [&](bool ok) {
        created = ok;
        answered = true;
    });
    m_frame->show();
    // The widget creates its context when it is first shown.
    for (int i = 0; i < 200 && !answered; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!created || widget->contextFailed() || !widget->context()) {
        m_frame->hide();
        m_platform.setMainWindow(nullptr);
        m_platform.messageBox(kCreateFailedText, "Vellumark", MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    setIdleRedrawView(widget);
    m_idle.start();
    return true;
}

void CGL2AviApp::OnIdle() {
    ++m_idlePasses;
    if (m_idleView) m_idleView->repaint();
}

}  // namespace vm
