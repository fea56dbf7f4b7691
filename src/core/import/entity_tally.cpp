// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/entity_tally.h"

#include <QStringList>

#include <algorithm>

namespace velora {

std::optional<QString> EntityTally::KindOfType(std::string_view type) {
    // Longer than any real type name; a damaged file may have anything here.
    constexpr size_t kLongestName = 40;
    QString name = QString::fromLatin1(type.substr(0, kLongestName)).trimmed().toUpper();
    for (const char* part : {"VERTEX", "SEQEND", "ATTRIB", "ATTDEF"}) {
        if (name == QLatin1String(part)) return std::nullopt;
    }
    return name;
}

void EntityTally::Count(std::string_view type) {
    if (const std::optional<QString> kind = KindOfType(type)) CountKind(*kind);
}

void EntityTally::CountKind(const QString& kind) {
    const auto entryOf = [this](const QString& wanted) {
        return std::find_if(m_counts.begin(), m_counts.end(),
                            [&](const auto& counted) { return counted.first == wanted; });
    };
    auto known = entryOf(kind);
    if (known == m_counts.end() && m_counts.size() >= kMaxTypes)
        known = entryOf(QStringLiteral("other"));
    if (known != m_counts.end()) {
        ++known->second;
    } else {
        m_counts.emplace_back(m_counts.size() >= kMaxTypes ? QStringLiteral("other") : kind, 1);
    }
}

QString EntityTally::Text() const {
    QStringList parts;
    for (const auto& [kind, count] : m_counts)
        parts.append(QStringLiteral("%1 %2").arg(count).arg(kind));
    return parts.join(QStringLiteral(", "));
}

}  // namespace velora
