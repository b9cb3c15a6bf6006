#pragma once
// The floor-effect pages: CmyReflections ("Reflections") and CmyShadows1
// ("Shadows"). Opening either switches its effect on.

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

class QShowEvent;

namespace vm {

class CGL2AviView;

// The Enable/Disable toggle both pages share: the flag goes on at count 1,
// off (with the count) at 2.
void ToggleFloorEffect(float& flag, float& count);

class CmyReflections : public QWidget {
    Q_OBJECT
public:
    explicit CmyReflections(CGL2AviView& view, QWidget* parent = nullptr);
    QSlider* slider() const { return m_slider; }
    QLineEdit* edit() const { return m_edit; }
    QPushButton* toggleButton() const { return m_toggle; }

protected:
    // Like a tab's first initialisation: the reflection goes on when the page is first shown.
    void showEvent(QShowEvent* event) override;

private:
    void open();

    CGL2AviView& m_view;
    bool m_opened = false;
    QSlider* m_slider;
    QLineEdit* m_edit;
    QPushButton* m_toggle;
};

class CmyShadows1 : public QWidget {
    Q_OBJECT
public:
    explicit CmyShadows1(CGL2AviView& view, QWidget* parent = nullptr);
    QSlider* slider() const { return m_slider; }
    QLineEdit* edit() const { return m_edit; }
    QPushButton* toggleButton() const { return m_toggle; }
    int editValue() const { return m_editValue; }

    // The slider's range for the current package, with the slider placed at
    // the current length.
    void adaptRange();

Q_SIGNALS:
    // Why a control could not act, for the status bar.
    void statusMessage(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void open();
    void showLength();

    bool m_opened = false;
    CGL2AviView& m_view;
    QSlider* m_slider;
    QLineEdit* m_edit;
    QPushButton* m_toggle;
    int m_editValue = 0;
    bool m_quiet = false;
};

}  // namespace vm
