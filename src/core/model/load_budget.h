// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace velora {

// The memory a model stream may take once it is loaded, charged item by item
// while it is read, so that a small file cannot describe more than the
// program can hold. Counts are already checked against the bytes left, but an
// item takes far more memory than the bytes that describe it (an empty curve
// is five bytes in a stream and over a hundred in memory), and a stream
// unpacks from a file a thousand times smaller.
//
// The rule:
// - the items (areas, names, curves and their points, textures, regions and
//   their rectangles, the mask) may take kItemBytesPerStreamByte times the
//   stream's length, plus kItemAllowance;
// - the decoded area images may take kImageBytesPerStoredByte times the
//   bytes that store them, plus kImageAllowance.
// Real files stay well inside both: their items are points, rectangles and
// names that take about what they take in the stream, and images that are
// stored as JPEGs a few times smaller than their pixels. A stream that breaks
// a rule is refused as damaged (FormatError) before the item that breaks it is
// made. The pictures of rendering are not charged: they follow from the
// drawing's size, which is held to the largest drawing the program makes.
class LoadBudget {
public:
    static constexpr uint64_t kItemBytesPerStreamByte = 4;
    static constexpr uint64_t kItemAllowance = uint64_t(64) << 20;
    static constexpr uint64_t kImageBytesPerStoredByte = 16;
    static constexpr uint64_t kImageAllowance = uint64_t(512) << 20;

    explicit LoadBudget(size_t streamLength);

    // Charges count items of bytesEach bytes of memory; what names them in
    // the message ("curves").
    void ChargeItems(uint64_t count, uint64_t bytesEach, const char* what);
    // Charges a decoded image of the size, stored in storedBytes.
    void ChargeImage(QSize size, size_t storedBytes);

    uint64_t ItemBytes() const { return m_itemBytes; }
    uint64_t ImageBytes() const { return m_imageBytes; }

private:
    uint64_t m_streamLength;
    uint64_t m_itemBytes = 0;
    uint64_t m_imageBytes = 0;
    uint64_t m_storedImageBytes = 0;
};

// What a heap block takes beyond its bytes: the allocator's bookkeeping and
// rounding, and the header of Qt's shared data.
inline constexpr uint64_t kHeapBlockBytes = 32;

}  // namespace velora
