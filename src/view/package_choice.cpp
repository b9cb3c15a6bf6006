#include "view/package_choice.h"

#include "render/box_family.h"
#include "scene/scene_state.h"

#include <array>
#include <memory>
#include <vector>

namespace vm {

namespace {

enum Package {
    Cube, BigBox, BigBoxCD, RetailBox, Dvd, DvdCd, SlimDvd, Cd, CdCase, SlimCd, Tape,
    Book, CurlyBook, OpenBook, BookDisplay, OpenStanding, EZines,
    DvdStack1, DvdStack2, Paperback, SlimBook, Picture, Mug, CdDisk
};

struct BoxPackage {
    float boxType;
    float size[3];
    float defaults;
    DefaultImageSet images;
};

void setSize(SceneState& s, float x, float y, float z) {
    s.m_fSize[0] = x;
    s.m_fSize[1] = y;
    s.m_fSize[2] = z;
}

void writeBox(SceneState& s, int index) {
    // Box type, size, default-image request and image set of each box package.
    static const BoxPackage boxes[] = {
        {7, {0, 0, 0}, 4, DefaultImageSet::Cube},           // Cube
        {1, {0, 14, -41}, 4, DefaultImageSet::None},        // BigBox
        {1, {0, 14, -41}, 4, DefaultImageSet::None},        // BigBoxCD
        {0, {0, 14, -45}, 4, DefaultImageSet::None},        // RetailBox
        {2, {0, 14, -45}, 4, DefaultImageSet::Dvd},         // DVD
        {2, {0, 14, -45}, 4, DefaultImageSet::Dvd},         // DVD-CD
        {3, {0, 14, -48}, 4, DefaultImageSet::Dvd},         // SlimDVD
        {4, {-17, -22, -47}, 4, DefaultImageSet::JewelCase},  // CD
        {4, {-17, -22, -47}, 4, DefaultImageSet::JewelCase},  // CD-case
        {5, {-17, -22, -48}, 4, DefaultImageSet::JewelCase},  // SlimCD
        {6, {-35, -24, -47}, 4, DefaultImageSet::Tape},     // Tape
    };
    static const BoxPackage others[] = {
        {1, {0, 0, 0}, 4, DefaultImageSet::None},                 // DVDStack1
        {1, {0, 0, 0}, 4, DefaultImageSet::None},                 // DVDStack2
        {2, {0, 14, -43}, 2, DefaultImageSet::Paperback},         // Paperback
        {2, {0, 14, -46}, 2, DefaultImageSet::SlimPaperback},     // SlimBook
        {3, {0, 14, -49.9f}, 4, DefaultImageSet::None},           // Picture
    };
    const BoxPackage& p = index <= Tape ? boxes[index] : others[index - DvdStack1];

    s.m_fPackageFamily = 4;
    s.m_fBoxType = p.boxType;
    setSize(s, p.size[0], p.size[1], p.size[2]);
    s.m_fLoadDefaults = p.defaults;
    // Every single box is drawn with the box model. (Leaving the model as it
    // was would show a paperback or a picture as a DVD stack after a stack.)
    if (index <= Tape || index >= Paperback) s.m_fBoxModel = 0;
    if (index == DvdStack1) s.m_fBoxModel = 2;
    if (index == DvdStack2) s.m_fBoxModel = 4;
    s.m_fCDInCase = index == CdCase ? 2 : 0;
    if (index != RetailBox) s.m_fCDOnBox = (index == BigBoxCD || index == DvdCd) ? 2 : 0;
    if (index == Paperback || index == SlimBook) s.m_fRestoreImageSize = 2;
    if (index != Cd && index != Picture) s.m_fLightPos[0] = 320;

    // The package's own image set replaces the box set on its next frame.
    for (int k = 0; k < int(DefaultImageSet::None); ++k) s.m_fDefaultSet[2 * k + 1] = 0;
    if (p.images != DefaultImageSet::None) s.m_fDefaultSet[2 * int(p.images)] = 2;

    if (index == Picture) {
        s.m_fFarLight = 2;
        s.m_fPictureDepth = 0.006f;
        s.m_fMugTintMode = 0;
    }
}

void writeBook(SceneState& s, int index) {
    static const float kinds[] = {0, 2, 4, 6, 8, 10};
    s.m_fPackageFamily = 0;
    s.m_fBookKind = kinds[index - Book];
    s.m_fModelBook = 2;
    setSize(s, 0, 0, 0);
    s.m_fLightPos[0] = s.m_fSpotUsed >= 2.0f ? 10.0f : 140.0f;
    switch (index) {
        // The open book and the display show the hard back's images, as on
        // a first choice; without the request they kept the last book's.
        case Book:
        case OpenBook:
        case BookDisplay: s.m_fBookDefaults = 2; break;
        case CurlyBook: s.m_fCurlDefaults = 2; break;
        case OpenStanding: s.m_fStandUpDefaults = 2; break;
        case EZines: s.m_fEzineDefaults = 2; break;
        default: break;
    }
}

}  // namespace

const QStringList& PackageThumbnailNames() {
    static const QStringList names = {
        "Cube.jpg",     "BigBox.jpg",    "BigBoxCD.jpg",    "RetailBox.jpg",   "DVD.jpg",          "DVD-CD.jpg",
        "SlimDVD.jpg",  "CD.jpg",        "CD-case.jpg",     "SlimCD.jpg",      "Tape.jpg",         "Book.jpg",
        "CurlyBook.jpg", "OpenBook.jpg", "BookDisplay.jpg", "OpenStanding.jpg", "E-Zines.jpg",     "DVDStack1.jpg",
        "DVDStack2.jpg", "Paperback.jpg", "SlimBook.jpg",   "Picture.jpg",     "Mug.jpg",          "CD-Disk.jpg"};
    return names;
}

int PackageIndex(const QString& thumbnail) { return int(PackageThumbnailNames().indexOf(thumbnail)); }

void WritePackageValues(SceneState& s, int index) {
    if (index < 0 || index >= kPackageCount) return;
    if (index != CdDisk) {
        s.m_fPosX = 0;
        s.m_fPosY = 0;
    }
    if (index != Picture) s.m_fFarLight = 0;
    // The Shadows page adapts its range again after every choice.
    s.m_fShadowRangeSet = 0;
    // An opened scene keeps its images only until the next package choice:
    // from then on the package's defaults load as they do on a first choice.
    s.m_fSceneOpened = 0;

    if (index >= Book && index <= EZines) {
        writeBook(s, index);
    } else if (index == Mug) {
        s.m_fPackageFamily = 2;
        setSize(s, 0, 0, 0);
        s.m_fMugSeen = 0;  // the spot moves in front of the mug again
    } else if (index == CdDisk) {
        s.m_fPackageFamily = 7;
        s.m_fMugTintMode = 0;
    } else {
        writeBox(s, index);
    }
}

namespace {

// The fields that tell the packages apart. A field a package's choice does
// not write is left at kAnyValue: it matches whatever the scene holds.
constexpr float kAnyValue = -12345.0f;

struct PackageFields {
    float family, boxType, boxModel, bookKind, cdInCase, cdOnBox, farLight;
    float size[3];
};

PackageFields FieldsOf(const SceneState& s) {
    return {s.m_fPackageFamily, s.m_fBoxType, s.m_fBoxModel, s.m_fBookKind, s.m_fCDInCase, s.m_fCDOnBox,
            s.m_fFarLight, {s.m_fSize[0], s.m_fSize[1], s.m_fSize[2]}};
}

// What each package's choice writes, read off WritePackageValues itself so
// that the two cannot disagree.
const std::array<PackageFields, kPackageCount>& ChosenFields() {
    static const std::array<PackageFields, kPackageCount> table = [] {
        std::array<PackageFields, kPackageCount> fields{};
        auto probe = std::make_unique<SceneState>();
        for (int i = 0; i < kPackageCount; ++i) {
            SceneState& s = *probe;
            s.m_fPackageFamily = s.m_fBoxType = s.m_fBoxModel = s.m_fBookKind = kAnyValue;
            s.m_fCDInCase = s.m_fCDOnBox = s.m_fFarLight = kAnyValue;
            s.m_fSize[0] = s.m_fSize[1] = s.m_fSize[2] = kAnyValue;
            WritePackageValues(s, i);
            fields[size_t(i)] = FieldsOf(s);
        }
        return fields;
    }();
    return table;
}

bool Matches(float wanted, float actual) { return wanted == kAnyValue || wanted == actual; }

// The fields that decide the model drawn; which of them count depends on the family.
bool SameModel(const PackageFields& chosen, const PackageFields& scene) {
    if (chosen.family != scene.family) return false;
    if (scene.family <= 1.0f) return Matches(chosen.bookKind, scene.bookKind);
    if (scene.family != 4.0f) return true;
    return Matches(chosen.boxType, scene.boxType) && Matches(chosen.boxModel, scene.boxModel) &&
           Matches(chosen.cdInCase, scene.cdInCase) && Matches(chosen.cdOnBox, scene.cdOnBox) &&
           Matches(chosen.farLight, scene.farLight);
}

bool SameSize(const PackageFields& chosen, const PackageFields& scene) {
    for (int axis = 0; axis < 3; ++axis)
        if (!Matches(chosen.size[axis], scene.size[axis])) return false;
    return true;
}

}  // namespace

int ShownPackageIndex(const SceneState& s) {
    const PackageFields shown = FieldsOf(s);
    std::vector<int> models;
    for (int i = 0; i < kPackageCount; ++i)
        if (SameModel(ChosenFields()[size_t(i)], shown)) models.push_back(i);
    if (models.size() == 1) return models.front();
    // Packages drawn with one model (the DVD and the paperback) differ in size.
    std::vector<int> sized;
    for (int i : models)
        if (SameSize(ChosenFields()[size_t(i)], shown)) sized.push_back(i);
    return sized.size() == 1 ? sized.front() : -1;
}

bool ChoosePackage(SceneState& s, const QString& thumbnail) {
    const int index = PackageIndex(thumbnail);
    if (index < 0 || index == ShownPackageIndex(s)) return false;
    WritePackageValues(s, index);
    return true;
}

}  // namespace vm
