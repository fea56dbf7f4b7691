// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QPointF>

#include <memory>
#include <optional>

class QRubberBand;

namespace velora {

class CMosvelTemplateView;
class PenStroke;

// A tool of the template view's correction mode. It receives the view's mouse
// input while it is current; the base remembers which buttons are held and
// where the last press was.
class CViewTool {
public:
    CViewTool(CMosvelTemplateView& owner, QCursor cursor);
    virtual ~CViewTool();
    CViewTool(const CViewTool&) = delete;
    CViewTool& operator=(const CViewTool&) = delete;

    virtual void OnRButtonUp(QPointF point);
    virtual void OnRButtonDown(QPointF point);
    virtual void OnMouseMove(QPointF point);
    virtual void OnLButtonUp(QPointF point);
    virtual void OnLButtonDown(QPointF point);

    const QCursor& Cursor() const { return m_cursor; }
    bool IsLeftHeld() const { return m_leftHeld; }
    bool IsRightHeld() const { return m_rightHeld; }

protected:
    CMosvelTemplateView& m_owner;
    QCursor m_cursor;
    QPointF m_previous;
    bool m_bandDrawn = false;
    bool m_leftHeld = false;
    bool m_rightHeld = false;
    QPointF m_anchor;
};

// Sets mask pixels with the left button (black, an outline) and clears them
// with the right one (white), along the 4-connected line from each position
// the mouse reports to the next, so a stroke is unbroken however fast it
// goes. What one press to its release changed is one step.
class CPenTool : public CViewTool {
public:
    explicit CPenTool(CMosvelTemplateView& owner);
    ~CPenTool() override;

    void OnRButtonUp(QPointF point) override;
    void OnRButtonDown(QPointF point) override;
    void OnMouseMove(QPointF point) override;
    void OnLButtonUp(QPointF point) override;
    void OnLButtonDown(QPointF point) override;

private:
    void BeginStroke(bool light);
    void PaintPixel(QPointF point);
    void EndStroke();

    std::unique_ptr<PenStroke> m_stroke;
    // The stroke's last pixel.
    std::optional<QPoint> m_last;
};

// Zooms so that the dragged rectangle fills the window, centred.
class CZoomTool : public CViewTool {
public:
    explicit CZoomTool(CMosvelTemplateView& owner);
    ~CZoomTool() override;

    void OnMouseMove(QPointF point) override;
    void OnLButtonUp(QPointF point) override;

private:
    QRubberBand* Band();

    QRubberBand* m_band = nullptr;
};

}  // namespace velora
