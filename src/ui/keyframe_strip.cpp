#include "ui/keyframe_strip.h"

#include "anim/key_editing.h"
#include "anim/playback.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include "platform/platform.h"
#include "view/gl2avi_view.h"
#include "view/playback_steps.h"

namespace vm {

TickSlider::TickSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::NoTicks);  // we paint our own
    setMinimumHeight(30);
}

void TickSlider::addTick(int value) {
    m_ticks.append(value);
    update();
}

void TickSlider::clearTicks() {
    m_ticks.clear();
    update();
}

void TickSlider::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    auto tickAt = [&](int value, int length, const QColor& colour) {
        const int x = groove.x() + handle.width() / 2 +
                      QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
        painter.setPen(QPen(colour, 2));
        painter.drawLine(x, height() - 1 - length, x, height() - 1);
    };
    tickAt(minimum(), 4, palette().color(QPalette::Mid));
    tickAt(maximum(), 4, palette().color(QPalette::Mid));
    for (int value : m_ticks) tickAt(value, 7, palette().color(QPalette::Highlight));
}

KeyframeStrip::KeyframeStrip(CGL2AviView& view, AnimSubject subject, KeyframePage& page, QWidget* parent)
    : QGroupBox("Keyframes", parent), m_view(view), m_subject(subject), m_page(page) {
    auto* grid = new QGridLayout(this);
    m_timeline = new TickSlider(this);
    grid->addWidget(m_timeline, 0, 0, 1, 9);

    auto readOnly = [this](QLineEdit*& edit) {
        edit = new QLineEdit(this);
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(56);
    };
    readOnly(m_frame);
    readOnly(m_keys);
    grid->addWidget(new QLabel("Frame:", this), 1, 0);
    grid->addWidget(m_frame, 1, 1);
    grid->addWidget(new QLabel("Keys:", this), 1, 2);
    grid->addWidget(m_keys, 1, 3);

    m_addKey = new QPushButton("+ Add Key", this);
    m_play = new QPushButton("Play >", this);
    m_copy = new QPushButton("Copy", this);
    m_paste = new QPushButton("Paste", this);
    m_clearAll = new QPushButton("Clear All", this);
    m_generate = new QPushButton("Generate AVI", this);
    m_frameCount = new QSpinBox(this);
    m_frameCount->setRange(1, 10000);
    m_frameCount->setValue(view.scene().m_nFrameCount);
    m_frameCount->setToolTip("Frames in the animation");
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(m_addKey), static_cast<QWidget*>(m_play),
                       static_cast<QWidget*>(m_copy), static_cast<QWidget*>(m_paste),
                       static_cast<QWidget*>(m_clearAll), static_cast<QWidget*>(m_frameCount),
                       static_cast<QWidget*>(m_generate)})
        buttons->addWidget(w);
    grid->addLayout(buttons, 1, 4, 1, 5);

    // Page initialisation of the strip. The timeline's last position is the
    // last frame the tracks hold.
    const QList<int> keys = TrackKeyFrames(view.scene(), subject);
    m_timeline->setRange(0, keys.isEmpty() ? 300 : keys.last());
    m_timeline->setRange(0, std::min(view.scene().m_nFrameCount, kMaxFrame));
    setFrameDisplay(m_timeline->value());
    rebuildTicks();

    connect(m_timeline, &QSlider::valueChanged, this, [this](int frame) {
        setFrameDisplay(frame);
        if (!m_moving) OnTimelineScrolled(m_view, m_subject);
    });
    connect(m_frameCount, &QSpinBox::valueChanged, this,
            [this](int count) { SetFrameCount(m_view.scene(), m_subject, m_page, count); });
    connect(m_addKey, &QPushButton::clicked, this, [this] {
        AddKey(m_view.scene(), m_subject, m_page);
        Q_EMIT keyAdded();
    });
    connect(m_play, &QPushButton::clicked, this, [this] {
        const bool anyKeys =
            m_view.scene().m_trackModel.keyCount != 0 || m_view.scene().m_trackText.keyCount != 0 ||
            m_view.scene().m_trackLight.keyCount != 0 || m_view.scene().m_trackPicture.keyCount != 0 ||
            (m_subject == AnimSubject::Array && m_view.scene().m_trackArray.keyCount != 0);
        if (!anyKeys) {
            Q_EMIT statusMessage("Nothing to play yet: record keys with \"+ Add Key\" first.");
            return;
        }
        StartPlayback(m_view.scene(), m_subject);
    });
    connect(m_copy, &QPushButton::clicked, this, [this] { CopyKey(m_view.scene(), m_subject, m_page); });
    connect(m_paste, &QPushButton::clicked, this,
            [this] { PasteKey(m_view.scene(), m_view.platform(), m_subject, m_page); });
    connect(m_clearAll, &QPushButton::clicked, this, [this] {
        ClearAll(m_view.scene(), m_subject, m_page);
        Q_EMIT cleared();
    });
    connect(m_generate, &QPushButton::clicked, this, &KeyframeStrip::generateAvi);
}

void KeyframeStrip::setPosition(int frame) {
    m_moving = true;
    m_timeline->setValue(frame);
    m_moving = false;
}

void KeyframeStrip::setFrameDisplay(int frame) { m_frame->setText(QString::number(frame)); }
void KeyframeStrip::setKeysDisplay(int keys) { m_keys->setText(QString::number(keys)); }
int KeyframeStrip::keysDisplay() const { return m_keys->text().toInt(); }

void KeyframeStrip::rebuildTicks() {
    m_timeline->clearTicks();
    setKeysDisplay(0);
    for (int frame : TrackKeyFrames(m_view.scene(), m_subject)) {
        m_timeline->addTick(frame);
        setKeysDisplay(m_timeline->tickCount() - 2);
    }
}

}  // namespace vm
