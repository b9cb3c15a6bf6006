// Dragging in the view moves the package, the text, the background picture
// or the book array, as the last Control Deck page to act chose.

#include <cmath>

#include "platform/float_to_int.h"
#include "view/gl2avi_view.h"
#include "scene/page_interfaces.h"

namespace vm {

namespace {

void mirror(KeyframePage* page, int axis, float value) {
    if (page) page->mirrorMovement(axis, FloatToInt(value));
}

}  // namespace

void CGL2AviView::OnLButtonDown(int x, int y) {
    m_scene.m_fMouseDX = 0;
    m_scene.m_fMouseDY = 0;
    m_scene.m_ptLastMouse[0] = x;
    m_scene.m_ptLastMouse[1] = y;
    m_scene.m_bLButtonDown = 1;
}

void CGL2AviView::OnRButtonDown(int x, int y) {
    m_scene.m_bRButtonDown = 1;
    OnLButtonDown(x, y);
}

void CGL2AviView::OnLButtonUp() {
    m_scene.m_bLButtonDown = 0;
}

void CGL2AviView::OnRButtonUp() {
    m_scene.m_bLButtonDown = 0;
    m_scene.m_bRButtonDown = 0;
}

void CGL2AviView::NormalizeAngles() {
    for (float* angle : {&m_scene.m_fRotX, &m_scene.m_fRotY, &m_scene.m_fRotZ}) {
        while (*angle < -360.0f) *angle += 720.0f;
        while (*angle > 360.0f) *angle -= 720.0f;
    }
}

void CGL2AviView::OnMouseMove(int x, int y, bool ctrlDown) {
    if (!m_scene.m_bLButtonDown) return;
    m_scene.m_fMouseDY = float(y - m_scene.m_ptLastMouse[1]) * 0.5f;
    m_scene.m_fMouseDX = float(x - m_scene.m_ptLastMouse[0]) * 0.5f;
    const bool deckClosed = m_pages.m_pControlsPage == nullptr;

    if (!ctrlDown && m_scene.m_bRButtonDown) {
        const float dX = m_scene.m_fMouseDX, dY = m_scene.m_fMouseDY, s = (dY + dX) * 0.5f;
        NormalizeAngles();
        if (deckClosed) m_scene.m_fRotZ += s;
        if (m_scene.m_fMouseTarget == 3.0f && m_pages.m_pPicturePage) {
            float* value = m_scene.m_fPicMode <= 1.0f   ? &m_scene.m_fPicRot[2]
                           : m_scene.m_fPicMode == 2.0f ? &m_scene.m_fPicPos[2]
                           : m_scene.m_fPicMode == 3.0f ? &m_scene.m_fPicScale[2]
                                                        : nullptr;
            if (value) {
                *value += s;
                mirror(m_pages.m_pPicturePage, 2, *value);
            }
        }
        if (m_scene.m_fMouseTarget == 4.0f && m_pages.m_pMultiBookPage) {
            float* value = m_scene.m_fArrayMode <= 1.0f   ? &m_scene.m_fArrayPos[0]
                           : m_scene.m_fArrayMode == 2.0f ? &m_scene.m_fArrayRot[2]
                           : m_scene.m_fArrayMode == 3.0f ? &m_scene.m_fArrayBookRot[2]
                           : m_scene.m_fArrayMode == 4.0f ? &m_scene.m_fArrayBookPos[2]
                           : m_scene.m_fArrayMode == 6.0f ? &m_scene.m_fArrayBookScale[2]
                                                          : nullptr;
            if (value) {
                *value += s;
                mirror(m_pages.m_pMultiBookPage, 2, *value);
            }
        }
        if (m_scene.m_fMouseTarget == 2.0f && m_pages.m_pTextPage) {
            float* blue[] = {
                &m_scene.m_fTextRot[2],     &m_scene.m_fTextPos[2],        &m_scene.m_fFontColour[2],
                &m_scene.m_fBackRGB[2],     &m_scene.m_fTextTwist[2],      &m_scene.m_fLineSpacing[2],
                &m_scene.m_fCharSpacing[2], &m_scene.m_fTextSpotColour[2], &m_scene.m_fTextScale[2]};
            const int function = m_pages.m_pTextPage->sliderFunction();
            if (function == 3) {
                m_scene.m_fBackRGB[2] += (dY + dX) / 255.0f;
                mirror(m_pages.m_pTextPage, 2, m_scene.m_fBackRGB[2] * 255.0f);
            } else if (function >= 0 && function <= 8) {
                *blue[function] += s;
                mirror(m_pages.m_pTextPage, 2, *blue[function]);
            }
        }
        if (m_scene.m_fMouseTarget <= 1.0f && m_pages.m_pControlsPage) {
            float* value = nullptr;
            if (m_scene.m_fControlsMode <= 1.0f) {
                m_scene.m_fRotZ += s;
                value = &m_scene.m_fRotZ;
            } else if (m_scene.m_fControlsMode >= 2.0f) {
                m_scene.m_fPosZ += dY + dX;
                value = &m_scene.m_fPosZ;
            }
            if (value && m_scene.m_fMoveMode <= 2.0f) mirror(m_pages.m_pControlsPage, 2, *value);
        }
    } else if (!ctrlDown) {
        NormalizeAngles();
        // Upside down, a drag to the right turns the other way.
        if (std::fabs(m_scene.m_fRotX) > 90.0f && std::fabs(m_scene.m_fRotX) < 270.0f)
            m_scene.m_fMouseDX = -m_scene.m_fMouseDX;
        const float dX = m_scene.m_fMouseDX, dY = m_scene.m_fMouseDY;
        if (deckClosed) {
            m_scene.m_fRotX += dY;
            m_scene.m_fRotY += dX;
        }
        auto both = [](KeyframePage* page, float& first, float firstDelta, float& second, float secondDelta) {
            first += firstDelta;
            second += secondDelta;
            mirror(page, 0, first);
            mirror(page, 1, second);
        };
        if (m_scene.m_fMouseTarget == 2.0f && m_pages.m_pTextPage) {
            switch (m_pages.m_pTextPage->sliderFunction()) {
                case 0:
                    both(m_pages.m_pTextPage, m_scene.m_fTextRot[0], dY, m_scene.m_fTextRot[1], dX);
                    break;
                case 1:
                    both(m_pages.m_pTextPage, m_scene.m_fTextPos[0], dX, m_scene.m_fTextPos[1], -dY);
                    break;
                case 2:
                    both(m_pages.m_pTextPage, m_scene.m_fFontColour[0], dX, m_scene.m_fFontColour[1], -dY);
                    break;
                case 3:
                    m_scene.m_fBackRGB[0] += dX / 255.0f;
                    m_scene.m_fBackRGB[1] -= dY / 255.0f;
                    mirror(m_pages.m_pTextPage, 0, m_scene.m_fBackRGB[0] * 255.0f);
                    mirror(m_pages.m_pTextPage, 1, m_scene.m_fBackRGB[1] * 255.0f);
                    break;
                case 4:
                    both(m_pages.m_pTextPage, m_scene.m_fTextTwist[0], dX, m_scene.m_fTextTwist[1], -dY);
                    break;
                case 5:
                    both(m_pages.m_pTextPage, m_scene.m_fLineSpacing[0], dX, m_scene.m_fLineSpacing[1], -dY);
                    break;
                case 6:
                    both(m_pages.m_pTextPage, m_scene.m_fCharSpacing[0], dX, m_scene.m_fCharSpacing[1], -dY);
                    break;
                case 7:
                    both(m_pages.m_pTextPage, m_scene.m_fTextSpotColour[0], dX, m_scene.m_fTextSpotColour[1],
                         -dY);
                    break;
                case 8:
                    both(m_pages.m_pTextPage, m_scene.m_fTextScale[0], dX, m_scene.m_fTextScale[1], -dY);
                    break;
                case 9:
                    m_scene.m_fTextFade += dX;
                    mirror(m_pages.m_pTextPage, 0, m_scene.m_fTextFade);
                    break;
                default: break;
            }
        }
        if (m_scene.m_fMouseTarget == 3.0f && m_pages.m_pPicturePage) {
            if (m_scene.m_fPicMode <= 1.0f) {
                m_scene.m_fPicRot[0] += dY;
                m_scene.m_fPicRot[1] += dX;
                mirror(m_pages.m_pPicturePage, 0, m_scene.m_fPicRot[0]);
                mirror(m_pages.m_pPicturePage, 1, m_scene.m_fPicRot[1]);
            } else if (m_scene.m_fPicMode == 2.0f || m_scene.m_fPicMode == 3.0f) {
                float* values = m_scene.m_fPicMode == 2.0f ? m_scene.m_fPicPos : m_scene.m_fPicScale;
                values[1] -= dY;
                values[0] += dX;
                mirror(m_pages.m_pPicturePage, 0, values[0]);
                mirror(m_pages.m_pPicturePage, 1, values[1]);
            }
        }
        if (m_scene.m_fMouseTarget == 4.0f && m_pages.m_pMultiBookPage) {
            if (m_scene.m_fArrayMode <= 1.0f)
                both(m_pages.m_pMultiBookPage, m_scene.m_fArrayPos[1], dY, m_scene.m_fArrayPos[2], dX);
            else if (m_scene.m_fArrayMode == 2.0f)
                both(m_pages.m_pMultiBookPage, m_scene.m_fArrayRot[0], dY, m_scene.m_fArrayRot[1], dX);
            else if (m_scene.m_fArrayMode == 3.0f)
                both(m_pages.m_pMultiBookPage, m_scene.m_fArrayBookRot[0], dY, m_scene.m_fArrayBookRot[1],
                     dX);
            else if (m_scene.m_fArrayMode == 4.0f)
                both(m_pages.m_pMultiBookPage, m_scene.m_fArrayBookPos[0], dX, m_scene.m_fArrayBookPos[1],
                     -dY);
            else if (m_scene.m_fArrayMode == 6.0f)
                both(m_pages.m_pMultiBookPage, m_scene.m_fArrayBookScale[0], dX, m_scene.m_fArrayBookScale[1],
                     -dY);
        }
        if (m_scene.m_fMouseTarget <= 1.0f && m_pages.m_pControlsPage) {
            if (m_scene.m_fControlsMode <= 1.0f) {
                m_scene.m_fRotX += dY;
                m_scene.m_fRotY += dX;
                if (m_scene.m_fMoveMode <= 2.0f) {
                    mirror(m_pages.m_pControlsPage, 0, m_scene.m_fRotX);
                    mirror(m_pages.m_pControlsPage, 1, m_scene.m_fRotY);
                }
            } else if (m_scene.m_fControlsMode >= 2.0f) {
                if (m_scene.m_fPackageFamily <= 2.0f) {
                    // Books and mugs stand closer: they pan four times as far.
                    const float factor = m_scene.m_fModelBook >= 2.0f   ? 4.0f
                                         : m_scene.m_fModelBook <= 1.0f ? 1.0f
                                                                        : 0.0f;
                    m_scene.m_fPosX += factor * dX;
                    m_scene.m_fPosY -= factor * dY;
                } else if (m_scene.m_fPackageFamily >= 4.0f) {
                    m_scene.m_fPosX += dX;
                    m_scene.m_fPosY -= dY;
                }
                if (m_scene.m_fMoveMode <= 2.0f) {
                    mirror(m_pages.m_pControlsPage, 0, m_scene.m_fPosX);
                    mirror(m_pages.m_pControlsPage, 1, m_scene.m_fPosY);
                }
            }
        }
    }
    m_scene.m_ptLastMouse[0] = x;
    m_scene.m_ptLastMouse[1] = y;
    if (m_pWindow) m_pWindow->invalidate();
}

}  // namespace vm
