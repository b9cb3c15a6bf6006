// A package looks the same whichever packages were chosen before it: only
// the faces the user set come along.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "support/offscreen_fixture.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

// A fresh headless view after start-up and New, without the 3D text.
struct Session {
    Session() {
        if (!headless.created) return;
        headless.view->OnInitialUpdate();
        headless.view->OnNewScene();
        headless.view->scene().m_fTextOn = 0;
        headless.frame();
    }
    // Chooses a package as a click on its thumbnail does and lets the
    // frames serve its loads.
    void choose(const QString& package) {
        WritePackageValues(headless.view->scene(), PackageIndex(package));
        headless.frame();
        headless.frame();
    }
    // The user's own image on box face `face` through its dialog.
    void pick(int face, const QString& path) {
        headless.platform.queueOpenFileName(path);
        headless.view->scene().m_fPickFace[face] = 2;
        headless.frame();
    }
    QImage picture() { return headless.frame(); }

    test::HeadlessView headless{200, 150};
};

// How many pixels differ between two pictures of the same size.
int differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) ++count;
    return count;
}

// What of the scene decides the images shown: the pending requests and the
// stored paths.
void expectSameImageState(const SceneState& a, const SceneState& b) {
    // The requests only: the "loaded" marks beside them keep the sets once
    // shown, as scene files record them.
    for (int i = 0; i < 12; i += 2) EXPECT_EQ(a.m_fDefaultSet[i], b.m_fDefaultSet[i]) << "default set " << i;
    EXPECT_EQ(a.m_fLoadDefaults, b.m_fLoadDefaults);
    EXPECT_EQ(a.m_fSceneOpened, b.m_fSceneOpened);
    EXPECT_EQ(a.m_fBookDefaults, b.m_fBookDefaults);
    EXPECT_EQ(a.m_fCurlDefaults, b.m_fCurlDefaults);
    EXPECT_EQ(a.m_fPackageFamily, b.m_fPackageFamily);
    EXPECT_EQ(a.m_fBoxModel, b.m_fBoxModel);
    EXPECT_EQ(a.m_fBookKind, b.m_fBookKind);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(a.m_fFacePlain[i], b.m_fFacePlain[i]) << "face " << i;
}

}  // namespace

// The picture and scene after `steps` in a new session; one session at a
// time, since the view and its textures are the program's only ones.
struct Outcome {
    QImage picture;
    std::unique_ptr<SceneState> scene;
};
Outcome run(const std::function<void(Session&)>& steps) {
    Session session;
    if (!session.headless.created) return {};
    steps(session);
    return {session.picture(), std::make_unique<SceneState>(session.headless.view->scene())};
}

TEST(PackageHistory, APackageLooksAsOnAFirstChoiceAfterAnyOther) {
    // Pairs across the families: books after books and boxes, boxes without
    // their own images after boxes with them, and after the other packages.
    const std::pair<const char*, const char*> pairs[] = {
        {"CurlyBook.jpg", "OpenBook.jpg"},  {"E-Zines.jpg", "BookDisplay.jpg"}, {"CurlyBook.jpg", "Book.jpg"},
        {"DVD.jpg", "BigBox.jpg"},          {"Tape.jpg", "BigBox.jpg"},      {"Cube.jpg", "DVDStack1.jpg"},
        {"Paperback.jpg", "BigBoxCD.jpg"},  {"Mug.jpg", "SlimDVD.jpg"},         {"CD-Disk.jpg", "Paperback.jpg"},
        {"Book.jpg", "Cube.jpg"},           {"BigBox.jpg", "E-Zines.jpg"},      {"SlimCD.jpg", "Mug.jpg"},
    };
    for (const auto& [first, second] : pairs) {
        SCOPED_TRACE(std::string(second) + " after " + first);
        const Outcome fresh = run([&](Session& s) { s.choose(second); });
        const Outcome after = run([&](Session& s) {
            s.choose(first);
            s.choose(second);
        });
        ASSERT_TRUE(fresh.scene && after.scene);
        EXPECT_EQ(differing(fresh.picture, after.picture), 0);
        expectSameImageState(*fresh.scene, *after.scene);
    }
}

TEST(PackageHistory, TheUsersOwnSidesComeAlongAndNothingElse) {
    QTemporaryDir dir;
    QImage red(64, 64, QImage::Format_RGB32);
    red.fill(QColor(230, 20, 20));
    const QString side = dir.filePath("my side.png");
    ASSERT_TRUE(red.save(side));

    // The user's right side on a retail box, then a DVD, then a big box,
    // shows the big box's own images with the user's side, as when the big
    // box came first.
    const Outcome after = run([&](Session& s) {
        s.choose("RetailBox.jpg");
        s.pick(3, side);
        s.choose("DVD.jpg");
        s.choose("BigBox.jpg");
        s.headless.view->scene().m_fRotY = -40;  // the right side in view
    });
    const Outcome fresh = run([&](Session& s) {
        s.choose("BigBox.jpg");
        s.pick(3, side);
        s.headless.view->scene().m_fRotY = -40;
    });
    ASSERT_TRUE(fresh.scene && after.scene);
    EXPECT_EQ(differing(fresh.picture, after.picture), 0);
}
