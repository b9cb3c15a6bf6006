#pragma once
// The "Keyframes" strip along the bottom of an animated page: timeline with a
// tick at every key, "Frame:" and "Keys:", the key buttons, the frame count
// and "Generate AVI".

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "ui/keyframe_engine.h"
#include "scene/page_interfaces.h"

namespace vm {

class CGL2AviView;

// A horizontal slider that paints ticks at arbitrary positions.
class TickSlider : public QSlider {
    Q_OBJECT
public:
    explicit TickSlider(QWidget* parent = nullptr);
    void addTick(int value);
    void clearTicks();
    // The two end ticks count, as the keys display expects.
    int tickCount() const { return int(m_ticks.size()) + 2; }
    const QList<int>& ticks() const { return m_ticks; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<int> m_ticks;
};

class KeyframeStrip : public QGroupBox {
    Q_OBJECT
public:
    // `page` is the page the strip belongs to: the keyframe engine reaches its
    // timeline, displays and ticks through it.
    KeyframeStrip(CGL2AviView& view, AnimSubject subject, KeyframePage& page, QWidget* parent = nullptr);

    TickSlider* timeline() const { return m_timeline; }
    QSpinBox* frameCount() const { return m_frameCount; }
    QPushButton* addKeyButton() const { return m_addKey; }
    QPushButton* clearAllButton() const { return m_clearAll; }
    QPushButton* generateButton() const { return m_generate; }
    QLineEdit* frameEdit() const { return m_frame; }
    QLineEdit* keysEdit() const { return m_keys; }

    // Moves the timeline without scrubbing, as playback and other pages do.
    void setPosition(int frame);
    void setFrameDisplay(int frame);
    void setKeysDisplay(int keys);
    int keysDisplay() const;
    // Clears the ticks and sets one at each key of the track.
    void rebuildTicks();

Q_SIGNALS:
    void keyAdded();
    void cleared();
    void generateAvi();
    // Why a button could not act, for the status bar.
    void statusMessage(const QString& text);

private:
    CGL2AviView& m_view;
    AnimSubject m_subject;
    KeyframePage& m_page;
    bool m_moving = false;  // the timeline is moved by the program, not the user
    TickSlider* m_timeline;
    QLineEdit* m_frame;
    QLineEdit* m_keys;
    QPushButton *m_addKey, *m_play, *m_copy, *m_paste, *m_clearAll, *m_generate;
    QSpinBox* m_frameCount;
};

}  // namespace vm
