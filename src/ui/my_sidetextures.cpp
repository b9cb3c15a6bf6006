#include "ui/my_sidetextures.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#include "view/face_images.h"
#include "view/gl2avi_view.h"
#include "view/texture_pick.h"

namespace vm {

namespace {

constexpr int kFirstEditId = 1059;  // the edits are 1059, 1061, ... 1073
const char* const kRowLabels[CmySidetextures::kRows] = {"Front Image", "Back Image",   "Left Image", "Right Image",
                                                         "Top Image",   "Bottom Image", "Mug Image",  "Picture Image"};

bool bookFamily(const CGL2AviView& v) {
    return v.scene().m_fPackageFamily <= 1.0f;
}
bool boxFamily(const CGL2AviView& v) {
    return v.scene().m_fPackageFamily == 4.0f;
}

}  // namespace

CmySidetextures::CmySidetextures(CGL2AviView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    auto* outer = new QVBoxLayout(this);
    auto* box = new QGroupBox("Select Textures", this);
    auto* grid = new QGridLayout(box);
    for (int row = 0; row < kRows; ++row) {
        grid->addWidget(new QLabel(kRowLabels[row], box), row, 0);
        auto* edit = new QLineEdit(box);
        // The edits only show which file a face shows.
        edit->setReadOnly(true);
        edit->setMinimumWidth(220);
        m_edits[size_t(row)] = edit;
        grid->addWidget(edit, row, 1);
        auto* browse = new QPushButton("Browse", box);
        m_browse[size_t(row)] = browse;
        grid->addWidget(browse, row, 2);
        if (row < 6) {
            connect(browse, &QPushButton::clicked, this, [this, row] { OnBrowseFace(row); });
            m_clear[size_t(row)] = new QPushButton("Clear", box);
            m_colour[size_t(row)] = new QPushButton("Colour", box);
            grid->addWidget(m_clear[size_t(row)], row, 3);
            grid->addWidget(m_colour[size_t(row)], row, 4);
            connect(m_clear[size_t(row)], &QPushButton::clicked, this, [this, row] { OnClearFace(row); });
            connect(m_colour[size_t(row)], &QPushButton::clicked, this, [this, row] { OnColourFace(row); });
        } else if (row == 6) {
            connect(browse, &QPushButton::clicked, this, [this] { OnBrowseMug(); });
        } else {
            connect(browse, &QPushButton::clicked, this, [this] { OnBrowsePicture(); });
        }
    }
    outer->addWidget(box);

    auto* targets = new QHBoxLayout;
    m_multiBook = new QRadioButton("Multi Book", this);
    m_package = new QRadioButton("Book/Box", this);
    m_package->setChecked(m_view.scene().m_fMouseTarget < 4.0f);
    m_multiBook->setChecked(m_view.scene().m_fMouseTarget >= 4.0f);
    connect(m_multiBook, &QRadioButton::clicked, this, [this] { OnMultiBookTarget(); });
    connect(m_package, &QRadioButton::clicked, this, [this] { OnPackageTarget(); });
    targets->addWidget(m_multiBook);
    targets->addWidget(m_package);
    targets->addStretch();
    outer->addLayout(targets);

    m_designService = new QPushButton("e B O O K  C O V E R  D E S I G N  S E R V I C E", this);
    connect(m_designService, &QPushButton::clicked, this, [this] { OnDesignService(); });
    outer->addWidget(m_designService);
    outer->addStretch();
    showFaceImages();
}

QLineEdit* CmySidetextures::editFor(int controlId) const {
    const int offset = controlId - kFirstEditId;
    if (offset < 0 || offset % 2 != 0 || offset / 2 >= kRows) return nullptr;
    return m_edits[size_t(offset / 2)];
}

void CmySidetextures::setPathText(int controlId, const QString& path) {
    if (QLineEdit* edit = editFor(controlId)) edit->setText(path);
}

void CmySidetextures::showFaceImages() {
    static_assert(kRows == kFaceImageRows);
    const std::array<QString, kFaceImageRows> files = FaceImageFiles(m_view.scene(), m_view.resources());
    for (int row = 0; row < kRows; ++row) {
        QString text = files[size_t(row)];
        const bool hasFace = FaceImageSlot(m_view.scene(), m_view.resources(), row) != nullptr;
        // A cleared or coloured face shows no image, whatever its slot holds.
        if (hasFace && row < 6 && IsSet(m_view.scene().m_fFacePlain[row]))
            text = IsSet(m_view.scene().m_fFaceColoured[row]) ? QStringLiteral("(colour)") : QStringLiteral("(plain)");
        QLineEdit* edit = m_edits[size_t(row)];
        edit->setPlaceholderText(hasFace ? QString() : QStringLiteral("not on this package"));
        if (edit->text() != text) {
            edit->setText(text);
            edit->setCursorPosition(0);
        }
    }
}

void CmySidetextures::hideDeck() {
    if (m_view.pages().m_pControlDeck) m_view.pages().m_pControlDeck->hideDeck();
}

void CmySidetextures::nothingToPick(const QString& why) {
    if (m_view.pages().m_pControlDeck) m_view.pages().m_pControlDeck->showDeck();
    Q_EMIT statusMessage(why);
}

void CmySidetextures::resetFaceColour(int face) { ResetFaceColour(m_view, face); }

void CmySidetextures::OnBrowseFace(int face) {
    if (face < 0 || face >= 6) return;
    if (face >= 3 || m_view.scene().m_fMouseTarget <= 3.0f) {
        // Right, top and bottom always belong to the package. The deck only
        // goes away for a request that will open a dialog.
        const QString why = RequestPackageFacePick(m_view, face);
        if (why.isEmpty()) hideDeck();
        else nothingToPick(why);
        return;
    }
    hideDeck();
    resetFaceColour(face);
    if (IsSet(m_view.scene().m_fMultiBook)) {
        m_view.scene().m_fPickArrayFace[face] = 2;
        BrowseArrayFaces(m_view);
        return;
    }
    nothingToPick("The Multi Book array is off: switch it on, or choose \"Book/Box\" for the package.");
}

void CmySidetextures::OnBrowseMug() {
    hideDeck();
    if (m_view.scene().m_fPackageFamily == 2.0f) {
        m_view.scene().m_fPickMug = 2;
        return;
    }
    nothingToPick("The mug image is used by the coffee mug only: choose the mug package first.");
}

void CmySidetextures::OnBrowsePicture() {
    hideDeck();
    resetFaceColour(0);
    m_view.scene().m_fPictureSized = 2;
    m_view.scene().m_fSize[0] = m_view.scene().m_fSize[1] = m_view.scene().m_fSize[2] = 0;
    if (bookFamily(m_view)) {
        m_view.scene().m_fPickBookFace[0] = 2;
    } else if (boxFamily(m_view) || m_view.scene().m_fPackageFamily == 6.0f) {
        // The screen-shot sheet's image is its picture, too.
        m_view.scene().m_fPickFace[0] = 2;
    } else {
        nothingToPick("This package has no picture face.");
    }
}

void CmySidetextures::OnClearFace(int face) {
    if (face < 0 || face >= 6) return;
    m_view.scene().m_fFacePlain[face] = 2;
}

void CmySidetextures::OnColourFace(int face) {
    if (face < 0 || face >= 6) return;
    hideDeck();
    if (!ChooseFaceColour(m_view, face)) return;  // a cancel changes nothing
    m_view.scene().m_fFacePlain[face] = 2;
    m_view.scene().m_fFaceColoured[face] = 2;
}

void CmySidetextures::OnMultiBookTarget() {
    m_view.scene().m_fMouseTarget = 4;
    m_view.scene().m_fMultiBook = 2;
    m_multiBook->setChecked(true);
}

void CmySidetextures::OnPackageTarget() {
    // Mouse drags move the package again, as after the Controls page.
    m_view.scene().m_fMouseTarget = 0;
    m_package->setChecked(true);
}

void CmySidetextures::OnDesignService() {
    m_view.platform().openUrl(QUrl::fromLocalFile(CoverDesignGuidePath()).toString());
}

}  // namespace vm
