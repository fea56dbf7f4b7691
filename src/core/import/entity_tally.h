// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace velora {

// What an import passed over, each kind with how often it came, in the
// order first met, so that the user can be told what the template leaves
// out. Past kMaxTypes different kinds, the rest are counted together as
// "other".
class EntityTally {
public:
    static constexpr size_t kMaxTypes = 32;

    // An entity type as a file names it, counted in upper case. Parts of
    // other entities (VERTEX, SEQEND, ATTRIB) and the attribute definitions
    // of blocks (ATTDEF) are not counted on their own.
    void Count(std::string_view type);
    // Anything else that was left out, under a name of the program's own.
    void CountKind(const QString& kind);

    // The name a file's entity type is counted under, or nullopt for the
    // parts and definitions that Count passes over.
    static std::optional<QString> KindOfType(std::string_view type);

    const std::vector<std::pair<QString, int>>& Counts() const { return m_counts; }
    bool IsEmpty() const { return m_counts.empty(); }
    // "14 INSERT, 26 TEXT, 3 ELLIPSE"
    QString Text() const;

private:
    std::vector<std::pair<QString, int>> m_counts;
};

}  // namespace velora
