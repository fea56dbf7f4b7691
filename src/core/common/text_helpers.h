// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace velora {

// Splits `text` at the first occurrence of `separator` into the text before
// and the text after it; with `trim` both parts lose their leading and
// trailing blanks. Returns false, leaving `left` and `right` untouched, when
// the separator does not occur (an empty separator never occurs).
bool SplitAt(const QString& text, const QString& separator, QString& left, QString& right,
             bool trim);

// The pieces between occurrences of `separator`, in order. An empty piece
// between two adjacent separators (or before a leading one) counts; the rest
// after the last separator counts only when it is not empty, so "a/b/" gives
// "a" and "b". An empty separator gives the whole text as one piece.
QStringList SplitList(const QString& text, const QString& separator);

// The text with its first character in upper case; empty text stays empty.
QString CapitalizeFirst(QString text);

}  // namespace velora
