#pragma once
// CmySidetextures ("Side Textures"): an image, a plain grey or a colour for
// each face of the package, and whether the image buttons act on the single
// package or on the multi-book array.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>

#include "scene/page_interfaces.h"

namespace vm {

class CGL2AviView;

class CmySidetextures : public QWidget, public SideTexturesPage {
    Q_OBJECT
public:
    // Rows: 0..5 the faces front to bottom, 6 mug, 7 picture.
    static constexpr int kRows = 8;

    explicit CmySidetextures(CGL2AviView& view, QWidget* parent = nullptr);

    // The row edit of a control identifier (1059, 1061, ... 1073), or null.
    QLineEdit* editFor(int controlId) const;
    QLineEdit* edit(int row) const { return m_edits[size_t(row)]; }
    QPushButton* browseButton(int row) const { return m_browse[size_t(row)]; }
    QPushButton* clearButton(int face) const { return m_clear[size_t(face)]; }
    QPushButton* colourButton(int face) const { return m_colour[size_t(face)]; }
    QRadioButton* multiBookRadio() const { return m_multiBook; }
    QRadioButton* packageRadio() const { return m_package; }
    QPushButton* designServiceButton() const { return m_designService; }

    void setPathText(int controlId, const QString& path) override;
    void showFaceImages() override;

    void OnBrowseFace(int face);
    void OnBrowseMug();
    void OnBrowsePicture();
    void OnClearFace(int face);
    void OnColourFace(int face);
    void OnMultiBookTarget();
    void OnPackageTarget();
    void OnDesignService();

Q_SIGNALS:
    // Why a button opened nothing, for the status bar.
    void statusMessage(const QString& text);

private:
    void hideDeck();
    // No request was raised after the deck was hidden: bring it back and say why.
    void nothingToPick(const QString& why);
    void resetFaceColour(int face);

    CGL2AviView& m_view;
    std::array<QLineEdit*, kRows> m_edits{};
    std::array<QPushButton*, kRows> m_browse{};
    std::array<QPushButton*, 6> m_clear{};
    std::array<QPushButton*, 6> m_colour{};
    QRadioButton* m_multiBook;
    QRadioButton* m_package;
    QPushButton* m_designService;
};

}  // namespace vm
