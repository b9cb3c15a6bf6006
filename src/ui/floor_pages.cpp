#include "ui/floor_pages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QVBoxLayout>
#include <cmath>

#include "platform/float_to_int.h"
#include "view/gl2avi_view.h"

namespace vm {

void ToggleFloorEffect(float& flag, float& count) {
    count += 1;
    if (count <= 1) {
        flag = 2;
    } else {
        flag = 0;
        count = 0;
    }
}

namespace {
// A group box with a captioned slider, its edit and the toggle.
QGroupBox* EffectBox(QWidget* page, const QString& caption, const QString& label, QSlider*& slider,
                     QLineEdit*& edit, QPushButton*& toggle) {
    auto* outer = new QVBoxLayout(page);
    auto* box = new QGroupBox(caption, page);
    auto* layout = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    slider = new QSlider(Qt::Horizontal, box);
    slider->setMinimumWidth(320);
    edit = new QLineEdit(box);
    edit->setValidator(new QIntValidator(-100000, 100000, edit));
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(64);
    row->addWidget(new QLabel(label, box));
    row->addWidget(slider, 1);
    row->addWidget(edit);
    layout->addLayout(row);
    toggle = new QPushButton("Enable/Disable", box);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(toggle);
    buttons->addStretch();
    layout->addLayout(buttons);
    outer->addWidget(box);
    outer->addStretch();
    return box;
}
}  // namespace

CmyReflections::CmyReflections(CGL2AviView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    EffectBox(this, "Reflection Controls", "Strength", m_slider, m_edit, m_toggle);
    m_slider->setRange(0, 100);
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        m_view.scene().m_fReflectAmount = float(value - 40);
        m_edit->setText(QString::number(value));
    });
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok) return;
        m_view.scene().m_fReflectAmount = float(value - 40);
        const QSignalBlocker block(m_slider);
        m_slider->setValue(value);
    });
    connect(m_toggle, &QPushButton::clicked, this,
            [this] { ToggleFloorEffect(m_view.scene().m_fReflection, m_view.scene().m_fReflectionToggle); });
}

void CmyReflections::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_opened) open();
}

void CmyReflections::open() {
    m_opened = true;
    CGL2AviView& view = m_view;
    view.scene().m_fReflection = 2;
    view.scene().m_fReflectionToggle = 1;
    if (view.scene().m_fReflectPageInit == 0) view.scene().m_fReflectAmount = 50;
    view.scene().m_fReflectPageInit = 2;
    // Slider and edit both show amount + 40, the mapping the handlers use.
    const int position = FloatToInt(view.scene().m_fReflectAmount + 40);
    {
        const QSignalBlocker block(m_slider);
        m_slider->setValue(position);
    }
    m_edit->setText(QString::number(position));
}

CmyShadows1::CmyShadows1(CGL2AviView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    EffectBox(this, "Shadow Controls", "Length", m_slider, m_edit, m_toggle);

    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        if (m_quiet) return;
        m_view.scene().m_fShadowLength = float(value - 4);
        if (m_view.scene().m_fShadowRangeSet < 2) adaptRange();  // first scroll after a package choice
        showLength();
    });
    // The edit only records what was typed: the shadow follows the slider.
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok) return;
        m_editValue = value;
        Q_EMIT statusMessage("The shadow's length follows the slider: move the slider to change it.");
    });
    connect(m_toggle, &QPushButton::clicked, this,
            [this] { ToggleFloorEffect(m_view.scene().m_fShadow, m_view.scene().m_fShadowToggle); });
}

void CmyShadows1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_opened) open();
}

void CmyShadows1::open() {
    m_opened = true;
    m_view.scene().m_fShadow = 2;
    m_view.scene().m_fShadowToggle = 1;
    adaptRange();
    showLength();
}

void CmyShadows1::showLength() {
    m_editValue = FloatToInt((m_view.scene().m_fShadowLength + 4) * 8.4f);
    m_edit->setText(QString::number(m_editValue));
}

void CmyShadows1::adaptRange() {
    const CGL2AviView& s = m_view;
    int low = 0, high = 12;
    if (s.scene().m_fPackageFamily == 0) {
        const float kind = s.scene().m_fBookKind;
        if (kind <= 1 && s.scene().m_fModelBook >= 2) low = -20, high = 20;  // hard back
        if (kind >= 2 && kind <= 7) low = 0, high = 12;
        if (kind == 6) low = 0, high = 4;
        if (kind == 8) low = 0, high = 6;
    }
    if (s.scene().m_fPackageFamily == 4 && s.scene().m_fBoxModel >= 2) low = 3, high = 20;  // DVD stacks
    m_quiet = true;
    m_slider->setRange(low, high);
    m_slider->setValue(FloatToInt(std::round(s.scene().m_fShadowLength + 4)));
    m_quiet = false;
    m_view.scene().m_fShadowRangeSet = 2;
}

}  // namespace vm
