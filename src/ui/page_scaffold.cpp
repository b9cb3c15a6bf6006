#include "ui/page_scaffold.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "anim/playback.h"
#include "platform/float_to_int.h"
#include "view/gl2avi_view.h"
#include "view/playback_steps.h"

namespace vm {

StepSlider::StepSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setSingleStep(1);
    setPageStep(15);
    setMinimumWidth(220);
}

void StepSlider::wheelEvent(QWheelEvent* event) {
    // One notch (120 eighths of a degree) is one step, whatever the
    // desktop's scroll-lines setting; finer wheels add up to whole steps.
    m_wheelRemainder += event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    const int steps = m_wheelRemainder / 120;
    m_wheelRemainder -= steps * 120;
    if (steps != 0) {
        if (invertedControls()) setValue(value() - steps * singleStep());
        else setValue(value() + steps * singleStep());
    }
    event->accept();
}

SliderEditRows::SliderEditRows(const QStringList& labels, QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int axis = 0; axis < 3; ++axis) {
        m_labels[axis] = new QLabel(this);
        m_labels[axis]->setMinimumWidth(34);
        m_sliders[axis] = new StepSlider(this);
        m_edits[axis] = new QLineEdit(this);
        m_edits[axis]->setValidator(new QIntValidator(-100000, 100000, m_edits[axis]));
        m_edits[axis]->setAlignment(Qt::AlignCenter);
        m_edits[axis]->setFixedWidth(64);
        m_edits[axis]->setText("0");
        grid->addWidget(m_labels[axis], axis, 0);
        grid->addWidget(m_sliders[axis], axis, 1);
        grid->addWidget(m_edits[axis], axis, 2);
        // valueChanged covers the mouse, the keyboard and the wheel; `show`
        // moves the sliders quietly.
        connect(m_sliders[axis], &QSlider::valueChanged, this, [this] {
            if (!m_quiet) Q_EMIT sliderMoved();
        });
        connect(m_edits[axis], &QLineEdit::textEdited, this, [this, axis](const QString& text) {
            bool ok = false;
            const int value = text.toInt(&ok);
            if (ok) Q_EMIT editChanged(axis, value);  // not an integer (yet): nothing changes
        });
    }
    setLabels(labels);
}

void SliderEditRows::setLabels(const QStringList& labels) {
    for (int axis = 0; axis < 3; ++axis) {
        m_labels[axis]->setText(axis < labels.size() ? labels[axis] : QString());
        m_labels[axis]->setVisible(!labels.isEmpty());
    }
}

void SliderEditRows::setRanges(int low, int high) {
    for (int axis = 0; axis < 3; ++axis) setRange(axis, low, high);
}

void SliderEditRows::setRange(int axis, int low, int high) {
    m_quiet = true;
    m_sliders[axis]->setRange(low, high);
    m_quiet = false;
}

void SliderEditRows::show(int axis, float value) {
    // Truncated toward zero, like the values a drag mirrors; NaN and
    // values beyond an int are bounded, not undefined.
    const int shown = FloatToInt(value);
    m_quiet = true;
    m_sliders[axis]->setValue(shown);
    m_quiet = false;
    m_edits[axis]->setText(QString::number(shown));
}

void SliderEditRows::moveSlider(int axis, int value) {
    m_quiet = true;
    m_sliders[axis]->setValue(value);
    m_quiet = false;
}

void SliderEditRows::show(float x, float y, float z) {
    show(0, x);
    show(1, y);
    show(2, z);
}

void SliderEditRows::setRowEnabled(int axis, bool sliderEnabled, bool editEnabled) {
    m_sliders[axis]->setEnabled(sliderEnabled);
    m_edits[axis]->setEnabled(editEnabled);
}

void SliderEditRows::setSlidersEnabled(bool enabled) {
    for (QSlider* slider : m_sliders) slider->setEnabled(enabled);
}

ModeRadios::ModeRadios(QWidget* parent) : QWidget(parent) {
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->addStretch();
}

QRadioButton* ModeRadios::add(const QString& caption, std::function<void()> onClick) {
    auto* radio = new QRadioButton(caption, this);
    radio->setAutoExclusive(false);
    m_row->insertWidget(m_row->count() - 1, radio);
    connect(radio, &QRadioButton::clicked, this, [onClick = std::move(onClick)] { onClick(); });
    return radio;
}

void ModeRadios::addTrailing(QWidget* widget) {
    widget->setParent(this);
    m_row->addWidget(widget);
}

DeckPage::DeckPage(CGL2AviView& view, AnimSubject subject, QWidget* parent)
    : QWidget(parent), m_view(view), m_subject(subject) {
    m_layout = new QVBoxLayout(this);
}

QGroupBox* DeckPage::addControlsBox(const QString& caption) {
    auto* box = new QGroupBox(caption, this);
    m_layout->addWidget(box, 1);
    return box;
}

KeyframeStrip* DeckPage::addKeyframeStrip() {
    m_strip = new KeyframeStrip(m_view, m_subject, *this, this);
    m_layout->addWidget(m_strip);
    connect(m_strip, &KeyframeStrip::generateAvi, this, &DeckPage::generateAvi);
    connect(m_strip, &KeyframeStrip::statusMessage, this, &DeckPage::explain);
    return m_strip;
}

void DeckPage::connectRows(SliderEditRows* rows, std::function<void()> onSlider,
                           std::function<void(int, int)> onEdit) {
    connect(rows, &SliderEditRows::sliderMoved, this, [this, onSlider = std::move(onSlider)] {
        onSlider();
        afterScroll();
    });
    connect(rows, &SliderEditRows::editChanged, this, [onEdit = std::move(onEdit)](int axis, int value) {
        onEdit(axis, value);
    });
}

void DeckPage::afterScroll() {
    if (m_strip && PageOf(m_view.pages(), m_subject) == this) OnTimelineScrolled(m_view, m_subject);
}

void DeckPage::explain(const QString& why) { Q_EMIT statusMessage(why); }

void DeckPage::explainWhenDisabled(QWidget* control, std::function<QString()> reason) {
    m_reasons.insert(control, std::move(reason));
    control->installEventFilter(this);
}

bool DeckPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto reason = m_reasons.constFind(watched);
        if (widget && reason != m_reasons.constEnd() && !widget->isEnabled()) {
            const QString text = (*reason)();
            if (!text.isEmpty()) explain(text);
        }
    }
    return QWidget::eventFilter(watched, event);
}

int DeckPage::timelinePosition() const { return m_strip ? m_strip->timeline()->value() : 0; }
void DeckPage::setTimelinePosition(int frame) {
    if (m_strip) m_strip->setPosition(frame);
}
void DeckPage::setTimelineRange(int maximum) {
    if (m_strip) m_strip->timeline()->setRange(0, maximum);
}
void DeckPage::setFrameDisplay(int frame) {
    if (m_strip) m_strip->setFrameDisplay(frame);
}
void DeckPage::setKeysDisplay(int keys) {
    if (m_strip) m_strip->setKeysDisplay(keys);
}
int DeckPage::keysDisplay() const { return m_strip ? m_strip->keysDisplay() : 0; }
void DeckPage::addTick(int frame) {
    if (m_strip) m_strip->timeline()->addTick(frame);
}
int DeckPage::tickCount() const { return m_strip ? m_strip->timeline()->tickCount() : 2; }
void DeckPage::clearTicks() {
    if (m_strip) m_strip->timeline()->clearTicks();
}
void DeckPage::setFrameCountDisplay(int count) {
    if (!m_strip) return;
    const QSignalBlocker block(m_strip->frameCount());
    m_strip->frameCount()->setValue(count);
}

}  // namespace vm
