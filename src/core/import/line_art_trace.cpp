// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/line_art_trace.h"

#include "core/common/user_interface.h"

#include <QCoreApplication>
#include <QPainter>

#include <array>
#include <climits>
#include <memory>
#include <new>

#include <potracelib.h>

namespace velora {

namespace {

constexpr int kWordBits = static_cast<int>(sizeof(potrace_word) * CHAR_BIT);
constexpr int kProgressSteps = 100;

struct PotraceFree {
    void operator()(potrace_param_t* param) const { potrace_param_free(param); }
    void operator()(potrace_state_t* state) const { potrace_state_free(state); }
};

// The ink as potrace's bitmap: one bit a pixel, most significant bit
// leftmost, rows in the picture's order (so traced points keep y downward).
class InkBitmap {
public:
    InkBitmap(const QImage& grey, int threshold)
        : m_wordsPerRow((grey.width() + kWordBits - 1) / kWordBits),
          m_words(static_cast<size_t>(m_wordsPerRow) * grey.height()) {
        // Grey values up to the threshold are ink.
        std::array<potrace_word, 256> ink{};
        for (int v = 0; v <= threshold && v < 256; ++v) ink[v] = 1;
        for (int y = 0; y < grey.height(); ++y) {
            const uchar* row = grey.constScanLine(y);
            potrace_word* words = m_words.data() + static_cast<size_t>(y) * m_wordsPerRow;
            for (int x = 0; x < grey.width(); ++x)
                words[x / kWordBits] |= ink[row[x]] << (kWordBits - 1 - x % kWordBits);
        }
        m_bitmap = {grey.width(), grey.height(), m_wordsPerRow, m_words.data()};
    }
    const potrace_bitmap_t* Get() const { return &m_bitmap; }

private:
    int m_wordsPerRow;
    std::vector<potrace_word> m_words;
    potrace_bitmap_t m_bitmap{};
};

struct TraceProgress {
    IUserInterface& user;
    int shown = 0;
};

void StepTo(double progress, void* data) {
    auto* steps = static_cast<TraceProgress*>(data);
    for (; steps->shown < progress * kProgressSteps; ++steps->shown) steps->user.StepProgress();
}

PointF At(const potrace_dpoint_t& p) { return {static_cast<float>(p.x), static_cast<float>(p.y)}; }

// A traced outline as one closed figure: a corner is two lines, a curve a
// cubic Bezier segment; every segment ends where the next begins.
Path FigureOf(const potrace_curve_t& curve) {
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    points.reserve(static_cast<size_t>(curve.n) * 3 + 1);
    types.reserve(points.capacity());
    points.push_back(At(curve.c[curve.n - 1][2]));
    types.push_back(PathPointType::Start);
    for (int i = 0; i < curve.n; ++i) {
        const bool corner = curve.tag[i] == POTRACE_CORNER;
        const uint8_t type = corner ? PathPointType::Line : PathPointType::Bezier;
        for (int k = corner ? 1 : 0; k < 3; ++k) {
            points.push_back(At(curve.c[i][k]));
            types.push_back(type);
        }
    }
    // The last segment ends at the start, which chaining sees as closed.
    types.back() |= PathPointType::CloseSubpath;
    return Path(std::move(points), std::move(types));
}

}  // namespace

QImage LineArtGrey(const QImage& image) {
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_Grayscale8);
    QImage paper(image.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    {
        QPainter painter(&paper);
        painter.drawImage(0, 0, image);
    }
    return paper.convertToFormat(QImage::Format_Grayscale8);
}

int OtsuThreshold(const QImage& grey) {
    std::array<double, 256> histogram{};
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) ++histogram[row[x]];
    }
    double total = 0;
    double sum = 0;
    for (int v = 0; v < 256; ++v) {
        total += histogram[v];
        sum += v * histogram[v];
    }
    double inkCount = 0;
    double inkSum = 0;
    double best = -1;
    int threshold = 127;
    for (int t = 0; t < 255; ++t) {
        inkCount += histogram[t];
        inkSum += t * histogram[t];
        const double paperCount = total - inkCount;
        if (inkCount == 0 || paperCount == 0) continue;
        const double difference = inkSum / inkCount - (sum - inkSum) / paperCount;
        const double between = inkCount * paperCount * difference * difference;
        if (between > best) {
            best = between;
            threshold = t;
        }
    }
    return threshold;
}

std::vector<Path> TraceLineArt(const QImage& grey, int threshold, int speckSize,
                               IUserInterface& user) {
    const InkBitmap ink(grey, threshold);
    const std::unique_ptr<potrace_param_t, PotraceFree> param(potrace_param_default());
    if (!param) throw std::bad_alloc();
    // potrace drops outlines of up to turdsize pixels.
    param->turdsize = std::max(0, speckSize - 1);
    ProgressScope progress(user, QCoreApplication::translate("velora", "Tracing..."),
                           kProgressSteps);
    TraceProgress steps{user};
    param->progress.callback = StepTo;
    param->progress.data = &steps;
    param->progress.min = 0;
    param->progress.max = 1;
    param->progress.epsilon = 1.0 / kProgressSteps;
    const std::unique_ptr<potrace_state_t, PotraceFree> state(
        potrace_trace(param.get(), ink.Get()));
    if (!state || state->status != POTRACE_STATUS_OK) throw std::bad_alloc();
    std::vector<Path> figures;
    for (const potrace_path_t* path = state->plist; path; path = path->next) {
        if (path->curve.n > 0) figures.push_back(FigureOf(path->curve));
    }
    return figures;
}

}  // namespace velora
