// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/file_mask.h"

#include "core/common/text_helpers.h"

namespace velora {

namespace {
struct NameParts {
    QString base;
    QString extension;
};

NameParts SplitName(const QString& name) {
    NameParts parts;
    if (!SplitAt(name, QStringLiteral("."), parts.base, parts.extension, false)) parts.base = name;
    return parts;
}

bool PartMatches(const QString& maskPart, const QString& namePart) {
    return maskPart == QLatin1String("*") || maskPart == namePart;
}

bool SameLetter(QChar a, QChar b) { return a == b || a.toCaseFolded() == b.toCaseFolded(); }

// Greedy matching that returns to the last "*" on a mismatch; linear in
// practice and never recursive.
bool MatchStars(QStringView name, QStringView pattern) {
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starPattern = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || SameLetter(pattern[p], name[n]))) {
            ++n;
            ++p;
        } else if (starPattern >= 0) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}
}  // namespace

bool MatchFileMask(const QString& name, const QString& maskList) {
    if (maskList.isEmpty()) return true;
    const NameParts nameParts = SplitName(name);
    for (const QString& mask : SplitList(maskList, QStringLiteral("|"))) {
        const NameParts maskParts = SplitName(mask.toLower());
        if (PartMatches(maskParts.base, nameParts.base) &&
            PartMatches(maskParts.extension, nameParts.extension)) {
            return true;
        }
    }
    return false;
}

bool MatchWildcard(const QString& name, const QString& pattern) {
    if (MatchStars(name, pattern)) return true;
    return pattern.endsWith(QLatin1String(".*")) &&
           MatchStars(name, QStringView(pattern).chopped(2));
}

}  // namespace velora
