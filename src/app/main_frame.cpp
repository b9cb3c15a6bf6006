#include "app/main_frame.h"

#include <QPointer>

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include "app/about_box.h"
#include "app/gl_view_widget.h"
#include "app/lock_keys.h"
#include "platform/platform.h"
#include "view/commands.h"
#include "view/gl2avi_view.h"
#include "scene/page_interfaces.h"

namespace vm {

const char* const CMainFrame::kIdleText = "Left click on the Vellumark to move it around";

QList<QPixmap> ToolbarImages(const QImage& strip, int imageWidth) {
    QList<QPixmap> images;
    if (strip.isNull() || imageWidth <= 0) return images;
    const QImage rgb = strip.convertToFormat(QImage::Format_RGB32);
    // The colour of the first pixel of the bitmap's data is transparent. Bitmap
    // rows are stored bottom-up, so that pixel is the lower left one.
    const QRgb transparent = rgb.pixel(0, rgb.height() - 1);
    QImage masked = rgb.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((line[x] & 0xffffff) == (transparent & 0xffffff)) line[x] = 0;
    }
    const int count = strip.width() / imageWidth;
    for (int i = 0; i < count; ++i)
        images << QPixmap::fromImage(masked.copy(i * imageWidth, 0, imageWidth, masked.height()));
    return images;
}

CMainFrame::CMainFrame(CGL2AviView& view, Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_view(view), m_platform(platform) {
    setObjectName("MainFrame");
    setWindowTitle("Untitled - Vellumark");
    m_viewWidget = new GLViewWidget(view, this);
    m_viewWidget->setObjectName("View");
    setCentralWidget(m_viewWidget);
    buildMenu();
    buildToolBar();
    buildStatusBar();
    m_view.m_showStatus = [bar = QPointer<QStatusBar>(statusBar())](const QString& text) {
        if (bar) bar->showMessage(text);
    };
    buildKeyboardTable();
    resize(1024, 768);
}

QAction* CMainFrame::addCommand(QMenu* menu, int id, const QString& text, const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    action->setData(id);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, id] { routeCommand(id); });
    if (menu)
        menu->addAction(action);
    else
        addAction(action);  // keyboard table only
    m_actions.insert(id, action);
    return action;
}

void CMainFrame::buildMenu() {
    QMenu* file = menuBar()->addMenu("&File");
    addCommand(file, cmd::SaveScreenshot, "&Save Screenshot\tCtrl+S", QKeySequence("Ctrl+S"));
    addCommand(file, cmd::FileNew, "&New\tCtrl+N", QKeySequence("Ctrl+N"));
    addCommand(file, cmd::CopyImage, "Copy Image to Clipboard\tCtrl+C", QKeySequence("Ctrl+C"));
    addCommand(file, cmd::ExportPicture, "&Export Picture...\tCtrl+E", QKeySequence("Ctrl+E"));
    addCommand(file, cmd::ExportSpinPage, "Export S&pin Page...");
    file->addSeparator();
    file->addSeparator();
    addCommand(file, cmd::AppExit, "E&xit");
    addCommand(file, cmd::OpenSettings, "Open Settings");
    addCommand(file, cmd::SaveSettings, "Save Settings");

    QMenu* viewMenu = menuBar()->addMenu("&View");
    QAction* toolbar = addCommand(viewMenu, cmd::ViewToolbar, "&Toolbar");
    QAction* statusBarAction = addCommand(viewMenu, cmd::ViewStatusBar, "&Status Bar");
    viewMenu->addSeparator();
    addCommand(viewMenu, cmd::FitPackage, "&Fit Package\tCtrl+F", QKeySequence("Ctrl+F"));
    // The look is the program's setting, studio unless the user chose the classic one.
    QAction* studioLook = addCommand(viewMenu, cmd::StudioLook, "Studio &Look");
    studioLook->setCheckable(true);
    m_view.SetLook(m_platform.readProfileInt("View", "Studio Look", 1) != 0 ? Look::Studio : Look::Classic);
    studioLook->setChecked(m_view.look() == Look::Studio);
    connect(studioLook, &QAction::triggered, this,
            [this, studioLook] { studioLook->setChecked(m_view.look() == Look::Studio); });
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    statusBarAction->setCheckable(true);
    statusBarAction->setChecked(true);

    QMenu* options = menuBar()->addMenu("Options");
    addCommand(options, cmd::VideoSettings, "Settings");

    QMenu* help = menuBar()->addMenu("&Help");
    addCommand(help, cmd::OnLineHelp, "&On Line Help\tF1");
    addCommand(help, cmd::AppAbout, "&About Vellumark...\tF10");
}

void CMainFrame::buildKeyboardTable() {
    // Ctrl+C, Ctrl+E, Ctrl+N and Ctrl+S belong to their menu items; the rest of the
    // table has no menu item. The edit and pane keys have no handler.
    addCommand(nullptr, cmd::FileOpen, "Open", QKeySequence("Ctrl+O"));
    const struct {
        int id;
        const char* keys;
    } unhandled[] = {{cmd::EditPaste, "Ctrl+V"}, {cmd::EditPaste, "Shift+Ins"},  {cmd::EditCut, "Ctrl+X"},
                     {cmd::EditCut, "Shift+Del"}, {cmd::EditCopy, "Ctrl+Ins"},   {cmd::EditUndo, "Ctrl+Z"},
                     {cmd::EditUndo, "Alt+Backspace"}, {cmd::NextPane, "F6"}, {cmd::PrevPane, "Shift+F6"}};
    for (const auto& key : unhandled) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(QString::fromLatin1(key.keys)));
        const int id = key.id;
        connect(action, &QAction::triggered, this, [this, id] { routeCommand(id); });
        addAction(action);
    }
}

void CMainFrame::buildToolBar() {
    m_toolBar = addToolBar("Toolbar");
    m_toolBar->setObjectName("ToolBar");
    m_toolBar->setIconSize(QSize(48, 48));
    m_toolBar->setMovable(false);

    const QString res = QCoreApplication::applicationDirPath() + "/Res/";
    const QList<QPixmap> normal = ToolbarImages(QImage(res + "Toolbar.bmp"));
    const QList<QPixmap> hot = ToolbarImages(QImage(res + "ToolbarHot.bmp"));
    const QList<QPixmap> disabled = ToolbarImages(QImage(res + "ToolbarDisabled.bmp"));

    const struct {
        int id;
        const char* tip;
    } buttons[] = {{cmd::SaveScreenshot, "Save a Screenshot"},
                   {0, nullptr},
                   {cmd::ControlDeck, "Click to open the Vellumark Control Panel"},
                   {cmd::BackgroundColour, "Click to open the background color selector"},
                   {cmd::AppAbout, "Display program information, version number and copyright"}};
    int image = 0;
    for (const auto& button : buttons) {
        if (!button.id) {
            m_toolBar->addSeparator();
            continue;
        }
        auto* action = new QAction(this);
        action->setData(button.id);
        action->setToolTip(button.tip);
        action->setStatusTip(button.tip);
        QIcon icon;
        if (image < normal.size()) icon.addPixmap(normal[image], QIcon::Normal);
        if (image < hot.size()) icon.addPixmap(hot[image], QIcon::Active);
        if (image < disabled.size()) icon.addPixmap(disabled[image], QIcon::Disabled);
        ++image;
        action->setIcon(icon);
        const int id = button.id;
        connect(action, &QAction::triggered, this, [this, id] { routeCommand(id); });
        m_toolBar->addAction(action);
        m_toolBar->widgetForAction(action)->setObjectName(QString("ToolButton%1").arg(id));
    }
}

void CMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->showMessage(kIdleText);
    const char* names[] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        m_indicators[i] = new QLabel(names[i], bar);
        m_indicators[i]->setObjectName(QString("Indicator") + names[i]);
        m_indicators[i]->setMinimumWidth(m_indicators[i]->sizeHint().width() + 8);
        m_indicators[i]->setAlignment(Qt::AlignCenter);
        m_indicators[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(m_indicators[i]);
    }
    updateIndicators();
}

void CMainFrame::updateIndicators() {
    // Like the classic indicator panes, each shows its text only while its
    // lock key is on; the pane keeps its width either way.
    const LockKeyState state = QueryLockKeys();
    const bool on[] = {state.caps, state.num, state.scroll};
    const char* names[] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) m_indicators[i]->setText(on[i] ? names[i] : "");
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // When a tip ends the message pane returns to its idle text.
        auto* tip = static_cast<QStatusTipEvent*>(event);
        statusBar()->showMessage(tip->tip().isEmpty() ? QString(kIdleText) : tip->tip());
        return true;
    }
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::WindowActivate ||
        event->type() == QEvent::ShortcutOverride)
        updateIndicators();
    return QMainWindow::event(event);
}

bool CMainFrame::routeCommand(int id) {
    // The active view first, then the frame, then the application.
    if (m_view.OnCommand(id)) return true;
    switch (id) {
        case cmd::AppExit: close(); return true;
        case cmd::ViewToolbar:
            m_toolBar->setVisible(!m_toolBar->isVisible());
            m_actions[cmd::ViewToolbar]->setChecked(m_toolBar->isVisible());
            return true;
        case cmd::ViewStatusBar:
            statusBar()->setVisible(!statusBar()->isVisible());
            m_actions[cmd::ViewStatusBar]->setChecked(statusBar()->isVisible());
            return true;
        case cmd::ControlDeck:
            if (!onControlDeck) return false;
            onControlDeck();
            return true;
        case cmd::BackgroundColour:
            if (!onBackgroundColour) return false;
            onBackgroundColour();
            return true;
        case cmd::GenerateAvi:
            if (!onGenerateAvi) return false;
            onGenerateAvi();
            return true;
        case cmd::AppAbout: OnAppAbout(); return true;
        case cmd::FileOpen: OnFileOpen(); return true;
        default: return false;
    }
}

void CMainFrame::OnAppAbout() {
    CAboutBoxDlg about(m_platform, this);
    about.exec();
}

void CMainFrame::OnFileOpen() {
    // The document holds no data: opening a file means opening a scene, the
    // way File > Open Settings does (rerunning the start-up would throw the
    // user's scene away for a random preset).
    m_view.OnCommand(cmd::OpenSettings);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The Control Deck is a window of its own: it goes with the main window,
    // or the program would keep running behind it.
    if (auto* deck = dynamic_cast<QWidget*>(m_view.pages().m_pControlDeck)) deck->close();
    QMainWindow::closeEvent(event);
}

void CMainFrame::resizeViewTo(int width, int height) {
    const QSize client = m_viewWidget->size();
    resize(size() + QSize(width, height) - client);
}

}  // namespace vm
