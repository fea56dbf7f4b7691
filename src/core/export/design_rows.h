// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/row_source.h"
#include "core/model/render_pass.h"

#include <QImage>
#include <QSize>

#include <array>

namespace velora {

class CDrawingModel;

// A design rendered at its own size a band of rows at a time, as the rows
// are asked: the band holding a row is rendered when the row is first asked,
// and the last two bands are kept, so rows asked in order, downwards or
// upwards, render every band once. The picture of the whole design is never
// held; every row has the pixels the whole picture has.
class DesignRows : public PictureRows {
public:
    // Bands of about this many bytes.
    static constexpr qint64 kBandBytes = qint64(4) << 20;

    // Prepares a rendering of the model (in export mode, or screen mode);
    // bandRows 0 takes bands of kBandBytes. Throws VeloraError when the
    // design has no size or a band cannot be allocated.
    explicit DesignRows(CDrawingModel& model, bool exportMode = true, int bandRows = 0);

    QSize Size() const override { return m_size; }
    const uchar* Row(int y) override;

private:
    struct Band {
        int top = -1;
        QImage image;
    };

    QSize m_size;
    RenderPass m_pass;
    int m_bandRows;
    std::array<Band, 2> m_bands;
    size_t m_older = 0;
};

}  // namespace velora
