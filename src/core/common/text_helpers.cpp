// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/text_helpers.h"

namespace velora {

bool SplitAt(const QString& text, const QString& separator, QString& left, QString& right,
             bool trim) {
    const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator);
    if (at < 0) return false;
    left = text.left(at);
    right = text.mid(at + separator.size());
    if (trim) {
        left = left.trimmed();
        right = right.trimmed();
    }
    return true;
}

QStringList SplitList(const QString& text, const QString& separator) {
    QStringList pieces;
    qsizetype start = 0;
    if (!separator.isEmpty()) {
        for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, start)) {
            pieces.append(text.mid(start, at - start));
            start = at + separator.size();
        }
    }
    if (start < text.size()) pieces.append(text.mid(start));
    return pieces;
}

QString CapitalizeFirst(QString text) {
    if (text.isEmpty()) return text;
    // A letter outside the Basic Multilingual Plane takes two UTF-16 units.
    if (text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate()) {
        const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(text[0], text[1]));
        text.replace(0, 2, QString::fromUcs4(&upper, 1));
    } else {
        text[0] = text[0].toUpper();
    }
    return text;
}

}  // namespace velora
