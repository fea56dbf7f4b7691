// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/load_budget.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"

#include <QCoreApplication>

#include <limits>

namespace velora {

namespace {
constexpr uint64_t kImageBytesPerPixel = 4;

// Products of counts that no real stream reaches saturate instead of
// wrapping round to a small number.
uint64_t Times(uint64_t a, uint64_t b) {
    if (a != 0 && b > std::numeric_limits<uint64_t>::max() / a) {
        return std::numeric_limits<uint64_t>::max();
    }
    return a * b;
}

QString MemoryText(uint64_t bytes) {
    return ByteCountText(static_cast<qint64>(
        std::min<uint64_t>(bytes, uint64_t(std::numeric_limits<qint64>::max()))));
}
}  // namespace

LoadBudget::LoadBudget(size_t streamLength) : m_streamLength(streamLength) {}

void LoadBudget::ChargeItems(uint64_t count, uint64_t bytesEach, const char* what) {
    const uint64_t limit = Times(m_streamLength, kItemBytesPerStreamByte) + kItemAllowance;
    const uint64_t charge = Times(count, bytesEach);
    if (charge > limit - std::min(limit, m_itemBytes)) {
        throw FormatError(
            QCoreApplication::translate("velora",
                                        "is damaged: %1 %2 would take %3 of memory, more than "
                                        "%4 of data can describe")
                .arg(count)
                .arg(QLatin1String(what), MemoryText(m_itemBytes + charge),
                     MemoryText(m_streamLength)));
    }
    m_itemBytes += charge;
}

void LoadBudget::ChargeImage(QSize size, size_t storedBytes) {
    const uint64_t pixels =
        Times(uint64_t(std::max(0, size.width())), uint64_t(std::max(0, size.height())));
    const uint64_t bytes = Times(pixels, kImageBytesPerPixel);
    const uint64_t stored = m_storedImageBytes + storedBytes;
    const uint64_t limit = Times(stored, kImageBytesPerStoredByte) + kImageAllowance;
    if (bytes > limit - std::min(limit, m_imageBytes)) {
        throw FormatError(
            QCoreApplication::translate("velora",
                                        "is damaged: its area images would take %1 of memory "
                                        "when decoded, more than their %2 of data can describe")
                .arg(MemoryText(m_imageBytes + bytes), MemoryText(stored)));
    }
    m_imageBytes += bytes;
    m_storedImageBytes = stored;
}

}  // namespace velora
