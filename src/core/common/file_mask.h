// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora {

// Whether a file name passes a mask list such as "*.bmp|*.jpg", the filter of
// the library grids. An empty list passes every name. Name and masks split at
// their first dot into base and extension, so "archive.tar.gz" has the
// extension "tar.gz" and "*.gz" refuses it; a name or mask without a dot is
// all base and no extension. A mask passes a name when each of its parts is
// "*" or equal to the name's part. Masks are lower-cased, names are compared
// as they are: "*.JPG" passes "photo.jpg" and "*.jpg" refuses "PHOTO.JPG".
bool MatchFileMask(const QString& name, const QString& maskList);

// Whether a name matches a folder search pattern: "*" stands for any run of
// characters, "?" for one character, and letter case is ignored, so a picture
// saved as PHOTO.JPG shows up in a search for "*.jpg". A pattern ending in
// ".*" also matches names without a dot, so "*.*" matches every name. Every
// other character, "[" included, stands for itself.
bool MatchWildcard(const QString& name, const QString& pattern);

}  // namespace velora
