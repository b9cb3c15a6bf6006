#include "ui/my_sheet.h"

#include <QMainWindow>

#include <QApplication>

#include <QPushButton>

#include "anim/key_editing.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/floor_pages.h"
#include "ui/multi_book_page.h"
#include "ui/my_light.h"
#include "ui/picture_page.h"
#include "ui/my_property1.h"
#include "ui/my_text_page.h"
#include "ui/my_sidetextures.h"
#include "platform/platform.h"
#include "view/gl2avi_view.h"
#include "view/playback_steps.h"

namespace vm {

namespace {

// A page with its illustration on the right, as the pages are laid out.
QWidget* withIllustration(QWidget* page, const char* picture) {
    auto* holder = new QWidget(page->parentWidget());
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    page->setParent(holder);
    row->addWidget(page, 1);
    auto* label = new QLabel(holder);
    label->setPixmap(QPixmap(QCoreApplication::applicationDirPath() + "/Res/" + picture));
    label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    row->addWidget(label);
    return holder;
}

}  // namespace

CMySheet::CMySheet(CGL2AviView& view, std::function<void()> generateAvi,
                   std::function<void(const QString&)> showStatus)
    : QDialog(nullptr), m_view(view), m_generateAvi(std::move(generateAvi)), m_showStatus(std::move(showStatus)) {
    setWindowTitle("Control Deck");
    setModal(false);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setAttribute(Qt::WA_DeleteOnClose, true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    m_tabs = new QTabWidget(this);
    m_tabs->setDocumentMode(false);
    layout->addWidget(m_tabs);

    m_controls = new CmyProperty1(view, m_tabs);
    addPage(Controls, m_controls, "Controls");
    auto* text = new CmyTextPage(view, m_tabs);
    addPage(Text, text, "Text");
    auto* lighting = new CmyLight(view, m_tabs);
    addPage(Lighting, withIllustration(lighting, "Page-Lighting.bmp"), "Lighting");
    auto* picture = new CPictureRost(view, m_tabs);
    addPage(Picture, withIllustration(picture, "Page-BackgroundPicture.bmp"), "Background Picture");
    auto* multiBook = new CMultiBook(view, m_tabs);
    addPage(MultiBook, withIllustration(multiBook, "Page-MultiBook.bmp"), "Multi Book");
    for (DeckPage* page : {static_cast<DeckPage*>(m_controls), static_cast<DeckPage*>(text),
                           static_cast<DeckPage*>(lighting), static_cast<DeckPage*>(picture),
                           static_cast<DeckPage*>(multiBook)}) {
        connect(page, &DeckPage::generateAvi, this, [this] {
            if (m_generateAvi) m_generateAvi();
        });
        connect(page, &DeckPage::statusMessage, this, [this](const QString& text) {
            if (m_showStatus) m_showStatus(text);
        });
    }
    addPage(Reflections, withIllustration(new CmyReflections(view, m_tabs), "Page-Reflections.bmp"), "Reflections");
    auto* shadows = new CmyShadows1(view, m_tabs);
    addPage(Shadows, withIllustration(shadows, "Page-Shadows.bmp"), "Shadows");
    connect(shadows, &CmyShadows1::statusMessage, this, [this](const QString& text) {
        if (m_showStatus) m_showStatus(text);
    });
    auto* sideTextures = new CmySidetextures(view, m_tabs);
    addPage(SideTextures, withIllustration(sideTextures, "Page-SideTextures.bmp"), "Side Textures");
    connect(sideTextures, &CmySidetextures::statusMessage, this, [this](const QString& text) {
        if (m_showStatus) m_showStatus(text);
    });
    m_tabs->setCurrentIndex(0);
    // Enter in a value's edit only confirms the value: a dialog would press
    // its default button with it (Show/Hide, Turntable, Clear All...).
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    view.pages().m_pControlDeck = this;
    view.pages().m_pControlsPage = m_controls;
    view.pages().m_pLightingPage = lighting;
    view.pages().m_pTextPage = text;
    view.pages().m_pPicturePage = picture;
    view.pages().m_pMultiBookPage = multiBook;
    view.pages().m_pSideTexturesPage = sideTextures;
}

CMySheet::~CMySheet() {
    // The pages go with the window: the view must not reach them any more.
    if (m_view.pages().m_pControlDeck == this) {
        m_view.scene().m_bDeckOpen = 0;
        m_view.pages().m_pControlDeck = nullptr;
        m_view.pages().m_pControlsPage = nullptr;
        m_view.pages().m_pTextPage = nullptr;
        m_view.pages().m_pSideTexturesPage = nullptr;
        m_view.pages().m_pLightingPage = nullptr;
        m_view.pages().m_pPicturePage = nullptr;
        m_view.pages().m_pReflectionsPage = nullptr;
        m_view.pages().m_pShadowsPage = nullptr;
        m_view.pages().m_pMultiBookPage = nullptr;
    }
}

void CMySheet::addPage(Tab tab, QWidget* page, const QString& caption) {
    int index = 0;
    while (index < m_tabOrder.size() && m_tabOrder[index] < tab) ++index;
    m_tabOrder.insert(index, tab);
    m_tabs->insertTab(index, page, caption);
}

void CMySheet::showDeck() { show(); }
void CMySheet::hideDeck() { hide(); }

void CMySheet::followScene() {
    m_controls->selectShownPackage();
    if (m_view.pages().m_pSideTexturesPage) m_view.pages().m_pSideTexturesPage->showFaceImages();
}

namespace {
const QString kDeckSection = QStringLiteral("Control Deck");
constexpr int kNoPosition = -100000;
}  // namespace

QPoint DeckPlaceBesideWindow(const QRect& window, QSize deck, const QRect& area) {
    // Right of the window, then left of it, then below it, top edges (or
    // left edges) aligned, wherever the whole deck fits.
    const QPoint beside[] = {{window.right() + 1, window.top()},
                             {window.left() - deck.width(), window.top()},
                             {window.left(), window.bottom() + 1}};
    for (QPoint at : beside) {
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - deck.height())));
        if (area.contains(QRect(at, deck)) && !QRect(at, deck).intersects(window)) return at;
    }
    // No room: the corner of the screen where it covers least of the window.
    const QPoint corners[] = {area.topRight() - QPoint(deck.width() - 1, 0),
                              area.bottomRight() - QPoint(deck.width() - 1, deck.height() - 1),
                              area.bottomLeft() - QPoint(0, deck.height() - 1), area.topLeft()};
    QPoint best = corners[0];
    qint64 least = -1;
    for (const QPoint& corner : corners) {
        const QRect covered = QRect(corner, deck).intersected(window);
        const qint64 overlap = covered.isEmpty() ? 0 : qint64(covered.width()) * covered.height();
        if (least < 0 || overlap < least) {
            least = overlap;
            best = corner;
        }
    }
    return best;
}

QPoint CMySheet::openingPosition() const {
    Platform& platform = m_view.platform();
    const QSize size = frameGeometry().size().expandedTo(sizeHint());
    QPoint wanted(0, 300);
    const int left = platform.readProfileInt(kDeckSection, QStringLiteral("Left"), kNoPosition);
    const int top = platform.readProfileInt(kDeckSection, QStringLiteral("Top"), kNoPosition);
    const QWidget* mainWindow = nullptr;
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<const QMainWindow*>(window) && window->isVisible()) mainWindow = window;
    if (left != kNoPosition && top != kNoPosition) {
        wanted = QPoint(left, top);  // where the user left it
    } else if (mainWindow) {
        // The first time beside the main window, where it hides none of the view.
        const QRect frame = mainWindow->frameGeometry();
        QScreen* screen = mainWindow->screen();
        if (screen) return DeckPlaceBesideWindow(frame, size, screen->availableGeometry());
    }
    // Keep the whole deck on the screen it lands on (the nearest one when the
    // screen it was left on is gone), its top left corner first.
    QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return wanted;
    const QRect area = screen->availableGeometry();
    const int x = std::max(area.left(), std::min(wanted.x(), area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(wanted.y(), area.bottom() + 1 - size.height()));
    return {x, y};
}

void CMySheet::rememberPosition() {
    if (!isVisible()) return;
    Platform& platform = m_view.platform();
    platform.writeProfileInt(kDeckSection, QStringLiteral("Left"), pos().x());
    platform.writeProfileInt(kDeckSection, QStringLiteral("Top"), pos().y());
}

void CMySheet::closeEvent(QCloseEvent* event) {
    rememberPosition();
    m_controls->updateData();
    m_view.scene().m_bDeckOpen = 0;
    QDialog::closeEvent(event);
}

void OnControlDeck(CGL2AviView& view, std::function<void()> generateAvi,
                   std::function<void(const QString&)> showStatus) {
    // An open deck is only brought to the front: asking for a new sequence
    // there would offer to reset the scene the user is working on.
    if (view.pages().m_pControlDeck) {
        auto* sheet = static_cast<CMySheet*>(view.pages().m_pControlDeck);
        sheet->show();
        sheet->raise();
        sheet->activateWindow();
        return;
    }
    // Asked when the deck opens, unless the user ticked "Do not ask me again.".
    AskForNewSequence(view);
    view.scene().m_bDeckOpen = 1;
    auto* sheet = new CMySheet(view, std::move(generateAvi), std::move(showStatus));
    sheet->adjustSize();
    sheet->move(sheet->openingPosition());
    sheet->show();
}

}  // namespace vm
