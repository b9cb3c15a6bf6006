#pragma once
// CMySheet: the modeless, always-on-top "Control Deck" holding the pages.

#include <QDialog>
#include <QTabWidget>
#include <functional>

#include "scene/page_interfaces.h"

namespace vm {

class CGL2AviView;
class CmyProperty1;

class CMySheet : public QDialog, public ControlDeck {
    Q_OBJECT
public:
    // `generateAvi` runs the video export command of the main window;
    // `showStatus` shows a page's explanation in its status bar.
    explicit CMySheet(CGL2AviView& view, std::function<void()> generateAvi = {},
                      std::function<void(const QString&)> showStatus = {});
    ~CMySheet() override;

    QTabWidget* tabs() const { return m_tabs; }
    CmyProperty1* controlsPage() const { return m_controls; }

    void showDeck() override;
    void hideDeck() override;
    void followScene() override;

    // Where the deck opens: where the user left it last time (kept in the
    // settings), else beside the main window, else (0, 300); always on the screen.
    QPoint openingPosition() const;

    // Tab order of the deck; pages not built yet keep their place free.
    enum Tab { Controls, Text, Picture, Lighting, Reflections, Shadows, SideTextures, MultiBook };

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addPage(Tab tab, QWidget* page, const QString& caption);
    void rememberPosition();

    CGL2AviView& m_view;
    QTabWidget* m_tabs;
    CmyProperty1* m_controls = nullptr;
    QList<Tab> m_tabOrder;
    std::function<void()> m_generateAvi;
    std::function<void(const QString&)> m_showStatus;
};

// Where the deck opens the first time: beside the main window's frame
// (right, left or below it) where the screen's area has room for the whole
// deck; otherwise the corner of the area where it covers least of the window.
QPoint DeckPlaceBesideWindow(const QRect& window, QSize deck, const QRect& area);

// View command 32772: opens the deck, or brings it to the front.
void OnControlDeck(CGL2AviView& view, std::function<void()> generateAvi = {},
                   std::function<void(const QString&)> showStatus = {});

}  // namespace vm
