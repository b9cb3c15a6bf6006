#pragma once
// The building blocks every Control Deck page is made of: three slider/edit
// rows, a row of mode radios, the keyframe strip and the status-bar
// explanation of a control that cannot act.
//
// How a page declares its controls (see CmyLight for a complete one):
//
//   class CmyThing : public DeckPage {
//   public:
//       CmyThing(CGL2AviView& view, QWidget* parent)
//           : DeckPage(view, AnimSubject::Thing, parent) {
//           QGroupBox* box = addControlsBox("Thing Controls");
//           m_modes = new ModeRadios(box);              // radios whose marks follow the scene
//           m_modes->add("Rotate", [this] { OnRotate(); });
//           m_rows = new SliderEditRows({"X", "Y", "Z"}, box);
//           m_rows->setRanges(-360, 360);
//           connectRows(m_rows, [this] { OnSlider(); }, [this](int axis, int value) { OnEdit(axis, value); });
//           addKeyframeStrip();                         // "Keyframes" along the bottom
//       }
//       void refreshFromScene() override;               // show the scene's values
//   };
//
// The page's handlers write scene fields and show values with
// `m_rows->show(...)`, which never calls a handler back. After a movement
// slider's handler the page scrubs the tracks, like the timeline does.
// `explainWhenDisabled` gives a disabled control the sentence shown in the
// status bar when the user clicks it; `explain` shows one at once.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QWidget>
#include <array>
#include <functional>

#include "anim/subjects.h"
#include "ui/keyframe_strip.h"
#include "scene/page_interfaces.h"

class QBoxLayout;
class QHBoxLayout;

namespace vm {

class CGL2AviView;

// A movement slider: the arrow keys and each notch of the mouse wheel move it
// by one whole unit (one degree on the rotation rows), Page Up/Down by 15.
class StepSlider : public QSlider {
    Q_OBJECT
public:
    explicit StepSlider(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    int m_wheelRemainder = 0;  // eighths of a degree not yet turned into a step
};

// Three rows of label, slider and integer edit. `show` moves the controls to
// values without signalling; the signals carry only the user's changes.
class SliderEditRows : public QWidget {
    Q_OBJECT
public:
    explicit SliderEditRows(const QStringList& labels = {}, QWidget* parent = nullptr);

    void setLabels(const QStringList& labels);
    void setRanges(int low, int high);
    void setRange(int axis, int low, int high);
    // Slider and edit of `axis` show `value`, truncated toward zero.
    void show(int axis, float value);
    void show(float x, float y, float z);
    // Moves only the slider: the edit keeps what the user typed.
    void moveSlider(int axis, int value);
    void setRowEnabled(int axis, bool sliderEnabled, bool editEnabled);
    void setSlidersEnabled(bool enabled);
    int value(int axis) const { return m_sliders[axis]->value(); }

    StepSlider* slider(int axis) const { return m_sliders[axis]; }
    QLineEdit* edit(int axis) const { return m_edits[axis]; }
    QLabel* label(int axis) const { return m_labels[axis]; }

Q_SIGNALS:
    // A slider was moved by the user (mouse, keyboard or wheel).
    void sliderMoved();
    // The user typed an integer into the edit of `axis`.
    void editChanged(int axis, int value);

private:
    std::array<QLabel*, 3> m_labels{};
    std::array<StepSlider*, 3> m_sliders{};
    std::array<QLineEdit*, 3> m_edits{};
    bool m_quiet = false;
};

// Radio buttons whose marks follow the scene (set by the page's data
// exchange), not each other: a click runs the page's handler only.
class ModeRadios : public QWidget {
    Q_OBJECT
public:
    explicit ModeRadios(QWidget* parent = nullptr);
    QRadioButton* add(const QString& caption, std::function<void()> onClick);
    // A widget after the radios at the right of the row (a check box, say).
    void addTrailing(QWidget* widget);

private:
    QHBoxLayout* m_row;
};

// A Control Deck page: the strip's plumbing for the keyframe engine, the
// scrubbing after a movement slider, and the status-bar explanations.
class DeckPage : public QWidget, public KeyframePage {
    Q_OBJECT
public:
    DeckPage(CGL2AviView& view, AnimSubject subject, QWidget* parent = nullptr);

    KeyframeStrip* strip() const { return m_strip; }
    AnimSubject subject() const { return m_subject; }

    // Shows `why` in the main window's status bar.
    void explain(const QString& why);
    // A click on `control` while it is disabled (or a click that `control`
    // ignores because `reason` returns text) shows the reason.
    void explainWhenDisabled(QWidget* control, std::function<QString()> reason);

    // KeyframePage, forwarded to the strip.
    int timelinePosition() const override;
    void setTimelinePosition(int frame) override;
    void setTimelineRange(int maximum) override;
    void setFrameDisplay(int frame) override;
    void setKeysDisplay(int keys) override;
    int keysDisplay() const override;
    void addTick(int frame) override;
    int tickCount() const override;
    void clearTicks() override;
    void setFrameCountDisplay(int count) override;

Q_SIGNALS:
    // A sentence for the status bar (the deck passes it to the main window).
    void statusMessage(const QString& text);
    void generateAvi();

protected:
    // The left group box of the page, above the strip.
    QGroupBox* addControlsBox(const QString& caption);
    QBoxLayout* pageLayout() const { return m_layout; }
    KeyframeStrip* addKeyframeStrip();
    // Wires three rows to the page's handlers; a slider's handler is followed
    // by the scrub of the page's track.
    void connectRows(SliderEditRows* rows, std::function<void()> onSlider,
                     std::function<void(int axis, int value)> onEdit);
    // The end of every horizontal scroll of the page: shows the timeline
    // position and scrubs while it lies inside a recorded track.
    void afterScroll();
    bool eventFilter(QObject* watched, QEvent* event) override;

    CGL2AviView& m_view;

private:
    AnimSubject m_subject;
    QBoxLayout* m_layout;
    KeyframeStrip* m_strip = nullptr;
    QHash<QObject*, std::function<QString()>> m_reasons;
};

}  // namespace vm
