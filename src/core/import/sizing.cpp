// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/sizing.h"

#include "core/common/user_interface.h"
#include "core/geometry/hairline_band.h"
#include "core/model/curve_layer.h"
#include "core/model/drawing_model.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>

namespace velora {

namespace {

// Channel values scaled to 0..99.
constexpr std::array<uint8_t, 256> kScaled = [] {
    std::array<uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) table[v] = static_cast<uint8_t>((v * 100) >> 8);
    return table;
}();

// (r + g + b) / 3 >= 40 in integers is r + g + b >= 120.
inline bool Light(QRgb pixel) {
    return kScaled[qRed(pixel)] + kScaled[qGreen(pixel)] + kScaled[qBlue(pixel)] >= 120;
}

// Packs one row of shades (each pixel's red, green and blue) into mask
// bits, leftmost pixel in the most significant bit. The padding bits stay 0.
void ThresholdRow(const uint8_t* shades, int width, uint8_t* bits) {
    static const std::array<bool, 256> light = [] {
        std::array<bool, 256> table{};
        for (int v = 0; v < 256; ++v) table[size_t(v)] = Light(qRgb(v, v, v));
        return table;
    }();
    const int fullBytes = width / 8;
    for (int i = 0; i < fullBytes; ++i, shades += 8) {
        unsigned byte = 0;
        for (int b = 0; b < 8; ++b) byte = (byte << 1) | (light[shades[b]] ? 1u : 0u);
        bits[i] = static_cast<uint8_t>(byte);
    }
    const int rest = width % 8;
    if (rest == 0) return;
    unsigned byte = 0;
    for (int b = 0; b < rest; ++b) byte |= (light[shades[b]] ? 0x80u : 0u) >> b;
    bits[fullBytes] = static_cast<uint8_t>(byte);
}

QSize WithMargins(QSize size) {
    return {size.width() + 2 * kDrawingMargin, size.height() + 2 * kDrawingMargin};
}

// Asks until the user gives a usable size (with its canvas) or cancels.
std::optional<SizingAnswer> AskUsableSize(IUserInterface& user, const DrawingSizeRequest& request) {
    for (;;) {
        const std::optional<DrawingSizeAnswer> answer = user.AskDrawingSize(request);
        if (!answer) return std::nullopt;
        const QSize size = answer->size;
        QString refusal = AskedSizeRefusal(size);
        if (refusal.isEmpty()) {
            std::optional<OutlineMaskCanvas> canvas =
                OutlineMaskCanvas::Allocate(WithMargins(size));
            if (canvas) return SizingAnswer{*answer, std::move(*canvas)};
            refusal =
                QCoreApplication::translate("velora",
                                            "There is not enough memory for a drawing of %1 x %2 "
                                            "pixels. Please enter a smaller size.")
                    .arg(size.width())
                    .arg(size.height());
        }
        user.ShowMessage(refusal, MessageIcon::Warning);
    }
}

// The union of the curves' bounds, in drawing units.
QSizeF DrawingExtent(const CDrawingModel& model, double importUnitsPerDrawingUnit) {
    QRectF extent;
    for (const auto& curve : model.Curves()) {
        const RectF b = curve->GetPath().WorldBounds();
        extent |= QRectF(b.x, b.y, b.width, b.height);
    }
    return extent.size() / importUnitsPerDrawingUnit;
}

}  // namespace

bool IsLightPixel(QRgb pixel) { return Light(pixel); }

std::optional<OutlineMaskCanvas> OutlineMaskCanvas::Allocate(QSize size, qsizetype maxBandPixels) {
    if (size.width() < 1 || size.height() < 1) return std::nullopt;
    try {
        MonoBitmap mask(size.width(), size.height());
        const qsizetype rows =
            std::clamp<qsizetype>(maxBandPixels / size.width(), 1, size.height());
        return OutlineMaskCanvas(std::move(mask), static_cast<int>(rows));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

MonoBitmap OutlineMaskCanvas::Draw(CDrawingModel& model, IUserInterface& user) && {
    const int width = m_mask.Width();
    ProgressScope progress(user, QCoreApplication::translate("velora", "Creating bitmap..."),
                           m_mask.Height());
    // Aliased and connected pixels are black whatever is stroked over them,
    // so the three strokes may come in any order. The painter's pen leaves a
    // pixel out here and there where lines join, which opens outlines where
    // they step diagonally and lets a click's fill escape; the connected
    // chains close every such break.
    model.SmoothOutlines().Build(model.Curves(), QRect(0, 0, width, m_mask.Height()),
                                 HairlineBand::kAliasedStroke | HairlineBand::kConnectedOutline,
                                 m_bandRows, [&](HairlineBand& band) {
                                     for (int y = band.Top(); y < band.Top() + band.Rows(); ++y) {
                                         ThresholdRow(band.ShadeRow(y), width, m_mask.Row(y));
                                         progress.Step();
                                     }
                                 });
    return std::move(m_mask);
}

std::optional<SizingAnswer> AskImportSize(CDrawingModel& model, const DrawingSizeRequest& request) {
    std::optional<SizingAnswer> answer = AskUsableSize(model.User(), request);
    if (!answer) model.Clear();
    return answer;
}

void ApplyDrawingSize(CDrawingModel& model, SizingAnswer&& answer) {
    IUserInterface& user = model.User();
    const QSize size = answer.choice.size;
    const QSize full = WithMargins(size);
    model.SetSize(full.width(), full.height());
    {
        ProgressScope progress(user, QCoreApplication::translate("velora", "Resizing..."), 1);
        model.FitCurves({kDrawingMargin, kDrawingMargin, size.width(), size.height()});
        progress.Step();
    }
    model.SetMaskBitmap(std::move(answer.canvas).Draw(model, user));
}

bool SizeDrawing(CDrawingModel& model, double importUnitsPerDrawingUnit) {
    DrawingSizeRequest request;
    request.extent = DrawingExtent(model, importUnitsPerDrawingUnit);
    std::optional<SizingAnswer> answer = AskImportSize(model, request);
    if (!answer) return false;
    ApplyDrawingSize(model, std::move(*answer));
    return true;
}

}  // namespace velora
