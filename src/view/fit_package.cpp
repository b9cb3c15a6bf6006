#include "view/fit_package.h"

#include <algorithm>
#include <QSize>
#include <cmath>

#include "anim/build_track.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

// The measuring pictures are this large on their longer side (the frame
// itself; the surroundings make them three times as large).
constexpr int kMeasureSide = 160;
// A pixel belongs to the package where less than this share of the
// background shows through it: faint reflection tails and soft shadow edges
// would otherwise make the package look larger than it does. The studio
// look's reflection fades out close to the package: all of it that can be
// seen belongs to the picture.
constexpr double kOpaqueEnough = 0.2;
constexpr double kStudioOpaqueEnough = 0.05;

// Sets the scene's text and background picture aside while measuring.
class PackageOnly {
public:
  explicit PackageOnly(CGL2AviView& view)
      : m_view(view), m_textOn(view.scene().m_fTextOn), m_showPicture(view.scene().m_fShowPicture) {
      view.scene().m_fTextOn = 0;
      view.scene().m_fShowPicture = 0;
  }
    ~PackageOnly() {
        m_view.scene().m_fTextOn = m_textOn;
        m_view.scene().m_fShowPicture = m_showPicture;
    }
    PackageOnly(const PackageOnly&) = delete;
    PackageOnly& operator=(const PackageOnly&) = delete;

private:
    CGL2AviView& m_view;
    float m_textOn, m_showPicture;
};

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;  // rows

// What is left to do: the package's centre off the frame's centre (x, y) and
// how far its size is from the fit, as 1/share (linear in the distance).
std::optional<Vec3> fitError(const std::optional<QRectF>& extent) {
    if (!extent) return std::nullopt;
    const double share = std::max(extent->width(), extent->height());
    if (share <= 0) return std::nullopt;
    return Vec3{extent->center().x() - 0.5, extent->center().y() - 0.5, 1.0 / share - 1.0 / kFitShare};
}

// The measuring frame's size for a width x height frame.
QSize measureSize(int width, int height) {
    const double scale = std::min(1.0, double(kMeasureSide) / std::max(width, height));
    return {std::max(8, int(std::lround(width * scale))), std::max(8, int(std::lround(height * scale)))};
}

// How many measuring pixels the package's box moved or grew between two
// extents: a trial step must show more than a pixel or two, or what it
// measured is rounding, not the step.
double pixelsChanged(const QRectF& a, const QRectF& b, QSize measured) {
    return std::max({std::abs(a.left() - b.left()) * measured.width(), std::abs(a.right() - b.right()) * measured.width(),
                     std::abs(a.top() - b.top()) * measured.height(),
                     std::abs(a.bottom() - b.bottom()) * measured.height()});
}

bool fitted(const Vec3& error) {
    const double shareError = std::abs(1.0 / (error[2] + 1.0 / kFitShare) - kFitShare);
    return std::abs(error[0]) < 0.01 && std::abs(error[1]) < 0.01 && shareError < 0.01;
}

double norm(const Vec3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

// Solves a * x = b; nullopt when a is (nearly) singular.
std::optional<Vec3> solve(Mat3 a, Vec3 b) {
    for (int col = 0; col < 3; ++col) {
        int pivot = col;
        for (int row = col + 1; row < 3; ++row)
            if (std::abs(a[row][col]) > std::abs(a[pivot][col])) pivot = row;
        if (std::abs(a[pivot][col]) < 1e-12) return std::nullopt;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (int row = col + 1; row < 3; ++row) {
            const double f = a[row][col] / a[col][col];
            for (int k = col; k < 3; ++k) a[row][k] -= f * a[col][k];
            b[row] -= f * b[col];
        }
    }
    Vec3 x{};
    for (int row = 2; row >= 0; --row) {
        double sum = b[row];
        for (int k = row + 1; k < 3; ++k) sum -= a[row][k] * x[k];
        x[row] = sum / a[row][row];
    }
    return x;
}

}  // namespace

std::optional<QRectF> MeasurePackageExtent(CGL2AviView& view, int width, int height) {
    if (width <= 0 || height <= 0) return std::nullopt;
    const QSize measured = measureSize(width, height);
    const int w = measured.width(), h = measured.height();

    // The frame with one frame's width and height of surroundings on every
    // side, drawn through the frame's own projection widened three times.
    ImageOptions options;
    options.fullWidth = w;
    options.fullHeight = h;
    options.tileX = -w;
    options.tileY = -h;
    PackageOnly packageOnly(view);
    FramePixels overBlack, overWhite;
    options.background = std::array<float, 3>{0, 0, 0};
    if (!view.RenderImage(3 * w, 3 * h, options, overBlack)) return std::nullopt;
    options.background = std::array<float, 3>{1, 1, 1};
    if (!view.RenderImage(3 * w, 3 * h, options, overWhite)) return std::nullopt;

    // Where the background shows through, white and black differ by as much.
    const double opaqueEnough = view.look() == Look::Studio ? kStudioOpaqueEnough : kOpaqueEnough;
    const int limit = int(255 * (1.0 - opaqueEnough));
    int left = 3 * w, top = 3 * h, right = -1, bottom = -1;
    for (int y = 0; y < 3 * h; ++y) {
        const unsigned char* black = overBlack.bytes.data() + size_t(y) * overBlack.stride;
        const unsigned char* white = overWhite.bytes.data() + size_t(y) * overWhite.stride;
        for (int x = 0; x < 3 * w; ++x) {
            int through = 0;
            for (int c = 0; c < 3; ++c) through = std::max(through, white[4 * x + c] - black[4 * x + c]);
            if (through > limit) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return std::nullopt;
    return QRectF(double(left - w) / w, double(top - h) / h, double(right + 1 - left) / w,
                  double(bottom + 1 - top) / h);
}

FitResult FitPackage(CGL2AviView& view, int width, int height) {
    float* position[3] = {&view.scene().m_fPosX, &view.scene().m_fPosY, &view.scene().m_fPosZ};
    const Vec3 start{view.scene().m_fPosX, view.scene().m_fPosY, view.scene().m_fPosZ};
    auto place = [&](const Vec3& p) {
        for (int i = 0; i < 3; ++i) *position[i] = float(p[i]);
    };
    auto result = [&](const QString& problem) {
        FitResult fit;
        if (!problem.isEmpty()) place(start);
        for (int i = 0; i < 3; ++i) fit.offset[size_t(i)] = float(double(*position[i]) - start[size_t(i)]);
        fit.problem = problem;
        return fit;
    };

    const QSize measured = measureSize(width, height);
    auto extent = MeasurePackageExtent(view, width, height);
    auto error = fitError(extent);
    if (!error) return result("the package is out of sight; move it into view first");
    if (fitted(*error)) return result({});

    // How the error answers each position value, by trying a step along each:
    // the renderers scale positions differently, so a step that shows no
    // change grows and one that loses the package shrinks.
    Vec3 p = start;
    Mat3 jacobian{};
    for (int axis = 0; axis < 3; ++axis) {
        double step = 10;
        bool found = false;
        for (int attempt = 0; attempt < 12 && !found; ++attempt) {
            Vec3 q = p;
            q[size_t(axis)] += step;
            place(q);
            const auto movedExtent = MeasurePackageExtent(view, width, height);
            const auto moved = fitError(movedExtent);
            place(p);
            if (!moved) {
                step /= 4;
                continue;
            }
            // Grown in small steps: a package close to the eye grows fast
            // with its distance, and a far step would measure another slope.
            if (pixelsChanged(*extent, *movedExtent, measured) < 6) {
                step *= 2;
                continue;
            }
            Vec3 change{};
            for (int i = 0; i < 3; ++i) change[size_t(i)] = ((*moved)[size_t(i)] - (*error)[size_t(i)]) / step;
            for (int i = 0; i < 3; ++i) jacobian[size_t(i)][size_t(axis)] = change[size_t(i)];
            found = true;
        }
        if (!found) return result("the package does not move in the view");
    }

    // Newton steps with the measured answers, updated after each step
    // (Broyden), halved while a step makes the fit worse.
    for (int iteration = 0; iteration < 12; ++iteration) {
        Vec3 minus{-(*error)[0], -(*error)[1], -(*error)[2]};
        const auto step = solve(jacobian, minus);
        if (!step) return result("the package's size does not change with its position");
        double factor = 1;
        std::optional<Vec3> next;
        Vec3 q{};
        for (int tries = 0; tries < 5; ++tries, factor /= 2) {
            for (int i = 0; i < 3; ++i) q[size_t(i)] = p[size_t(i)] + factor * (*step)[size_t(i)];
            place(q);
            next = fitError(MeasurePackageExtent(view, width, height));
            if (next && norm(*next) < norm(*error)) break;
            next.reset();
        }
        if (!next) {
            place(p);
            break;
        }
        // Broyden's update: J += (dF - J dp) dp^T / |dp|^2.
        Vec3 dp{}, dF{};
        for (int i = 0; i < 3; ++i) {
            dp[size_t(i)] = q[size_t(i)] - p[size_t(i)];
            dF[size_t(i)] = (*next)[size_t(i)] - (*error)[size_t(i)];
        }
        const double dp2 = dp[0] * dp[0] + dp[1] * dp[1] + dp[2] * dp[2];
        if (dp2 > 0)
            for (int r = 0; r < 3; ++r) {
                double predicted = 0;
                for (int c = 0; c < 3; ++c) predicted += jacobian[size_t(r)][size_t(c)] * dp[size_t(c)];
                for (int c = 0; c < 3; ++c)
                    jacobian[size_t(r)][size_t(c)] += (dF[size_t(r)] - predicted) * dp[size_t(c)] / dp2;
            }
        p = q;
        error = next;
        if (fitted(*error)) return result({});
    }
    // Close is better than where it was; say so only when it is far off.
    const double share = 1.0 / ((*error)[2] + 1.0 / kFitShare);
    if (std::abs(share - kFitShare) > 0.05) return result("the package cannot be brought to fill the frame");
    return result({});
}

void ShiftModelKeys(SceneState& scene, const std::array<float, 3>& offset) {
    ModelTrack& track = scene.m_trackModel;
    constexpr int kPositionValue = 3;  // X, Y, Z follow the three rotation values
    for (int i = 0; i < 3; ++i) {
        const int v = kPositionValue + i;
        track.base[size_t(v)] += offset[size_t(i)];
        // keyFrames[0] is frame 0, whose key the base holds as well.
        for (int k = 0; k <= track.keyCount && k < kTrackFrames; ++k)
            track.key[size_t(v)][size_t(ClampFrame(track.keyFrames[size_t(k)]))] += offset[size_t(i)];
    }
    RebuildTrack(track);
}

}  // namespace vm

namespace vm {

void CGL2AviView::OnFitPackage() {
    const FitResult fit = FitPackage(*this, m_nViewWidth, m_nViewHeight);
    if (!fit.problem.isEmpty()) {
        ShowStatus("Fit Package: " + fit.problem + ".");
        return;
    }
    const bool moved = fit.offset[0] != 0 || fit.offset[1] != 0 || fit.offset[2] != 0;
    // Playback sets the position from the keys: without shifting them the
    // next Play would undo the fit.
    if (moved && m_scene.m_trackModel.keyCount > 0 &&
        m_platform.messageBox(
            "The package has keys. Shift every key by the same offset, so that playback keeps "
            "the fit?",
            "Fit Package", MessageButtons::YesNo, MessageIcon::Question) == MessageResult::Yes)
        ShiftModelKeys(m_scene, fit.offset);
    if (m_pages.m_pControlsPage) m_pages.m_pControlsPage->refreshFromScene();
    ShowStatus("The package fills the view.");
    if (m_pWindow) m_pWindow->invalidate();
}

}  // namespace vm

namespace vm {

void CGL2AviView::OnStudioLook() {
    SetLook(look() == Look::Studio ? Look::Classic : Look::Studio);
    m_platform.writeProfileInt("View", "Studio Look", look() == Look::Studio ? 1 : 0);
    if (m_pWindow) m_pWindow->invalidate();
}

void CGL2AviView::OnPackageChosen() {
    if (look() == Look::Studio && m_scene.m_trackModel.keyCount == 0) m_bFramePending = true;
}

void CGL2AviView::ServePendingFraming() {
    if (!m_bFramePending) return;
    m_bFramePending = false;
    // Keys set since the choice are the user's pose.
    if (look() != Look::Studio || m_scene.m_trackModel.keyCount > 0) return;
    if (m_nViewWidth <= 0 || m_nViewHeight <= 0) return;
    const FitResult fit = FitPackage(*this, m_nViewWidth, m_nViewHeight);
    if (fit.problem.isEmpty() && m_pages.m_pControlsPage) m_pages.m_pControlsPage->refreshFromScene();
}

}  // namespace vm
