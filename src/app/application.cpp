#include "app/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QStatusBar>

#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "ui/my_sheet.h"
#include "view/export_commands.h"
#include "view/gl2avi_view.h"

namespace vm {

const char* const CGL2AviApp::kCreateFailedText = "Failed to create empty document.";

void SetSettingsKey() {
    QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
    QCoreApplication::setApplicationName("Vellumark");
}

// The window draws only when something changed (GLViewWidget schedules its
// own frames), so the idle program uses no processor time.
CGL2AviApp::CGL2AviApp() = default;

CGL2AviApp::~CGL2AviApp() {
    if (m_view && m_view->pages().m_pControlDeck)
        delete static_cast<CMySheet*>(m_view->pages().m_pControlDeck);
    m_frame.reset();  // destroys the view widget, which releases the context
    m_view.reset();
}

bool CGL2AviApp::InitInstance() {
    SetSettingsKey();
    m_view = std::make_unique<CGL2AviView>(m_platform);
    m_view->m_bStartWithPreset = true;
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
    return true;
}

}  // namespace vm
