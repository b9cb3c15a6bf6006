#pragma once
// CMultiBook: the "Multi Book" page — the array of books: what the sliders
// move (spacing, fanning, the books' rotation, place, scale or tilt), the
// number of books, doubling, reflection, shadows and the array's keys.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "ui/page_scaffold.h"

class QShowEvent;

namespace vm {

class CMultiBook : public DeckPage {
    Q_OBJECT
public:
    explicit CMultiBook(CGL2AviView& view, QWidget* parent = nullptr);

    // The page's first showing switches the array on.
    void OnInitDialog();
    void OnArrayMode(float mode);
    void OnArraySlider();
    void OnArrayEdit(int axis, int value);
    void OnActivateArray();
    void OnToggleDoubleBook();
    void OnToggleReflection();
    void OnToggleShadows();
    void OnBookCount();
    void OnResetArray();

    void refreshFromScene() override;
    void updateData() override;
    void mirrorMovement(int axis, int value) override;

    // Radios in the order "Rotate Array", "Pan/Zoom Array", "Rotate",
    // "Pan/Zoom", "Scale", "Tilt".
    QRadioButton* modeRadio(int index) const { return m_radios[index]; }
    QPushButton* activateButton() const { return m_activate; }
    QPushButton* resetButton() const { return m_reset; }
    QLineEdit* bookCountEdit() const { return m_bookCount; }
    QCheckBox* doubleBookCheck() const { return m_double; }
    QCheckBox* reflectionCheck() const { return m_reflection; }
    QCheckBox* shadowCheck() const { return m_shadow; }
    SliderEditRows* rows() const { return m_rows; }

    // The largest number of books the array holds.
    static constexpr int kMostBooks = 224;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The scene values sliders 1, 2, 3 move in the current mode (null where
    // the mode has no such slider).
    std::array<float*, 3> targets() const;
    void showMode();
    void showMarks();

    std::array<QRadioButton*, 6> m_radios{};
    QPushButton *m_activate, *m_reset;
    QLineEdit* m_bookCount;
    QCheckBox *m_double, *m_reflection, *m_shadow;
    SliderEditRows* m_rows;
    bool m_initialised = false;
};

}  // namespace vm
