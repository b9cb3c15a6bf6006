#pragma once
// CMainFrame: the program's main window with its menu, toolbar and status bar.
// Commands go first to the view, then to the frame, then to the application.

#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <functional>

namespace vm {

class CGL2AviView;
class GLViewWidget;
class Platform;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CGL2AviView& view, Platform& platform, QWidget* parent = nullptr);

    GLViewWidget* viewWidget() const { return m_viewWidget; }
    QToolBar* toolBar() const { return m_toolBar; }

    // Routes a command as the menu, toolbar and keyboard do. Returns false
    // when nothing handles it.
    bool routeCommand(int id);
    // The action of a command, for tests and for the toolbar.
    QAction* action(int id) const { return m_actions.value(id); }

    // Handlers of the frame and the application.
    void OnAppAbout();
    void OnFileOpen();
    // Filled by later subsystems: the Control Deck, the background colour
    // chooser and the video export.
    std::function<void()> onControlDeck, onBackgroundColour, onGenerateAvi;

    // Makes the view's client area width x height by resizing the window.
    void resizeViewTo(int width, int height);

    // The idle text of the status bar's message pane.
    static const char* const kIdleText;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(QMenu* menu, int id, const QString& text, const QKeySequence& shortcut = {});
    void buildMenu();
    void buildToolBar();
    void buildStatusBar();
    void buildKeyboardTable();
    void updateIndicators();

    CGL2AviView& m_view;
    Platform& m_platform;
    GLViewWidget* m_viewWidget = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMap<int, QAction*> m_actions;
    QLabel* m_indicators[3] = {};
};

// Builds a toolbar image list from a strip of 48-pixel-wide images; the
// colour of the strip's first pixel becomes transparent.
QList<QPixmap> ToolbarImages(const QImage& strip, int imageWidth = 48);

}  // namespace vm
