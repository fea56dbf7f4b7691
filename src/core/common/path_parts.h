// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora {

// A path splits the way the C runtime's _splitpath splits one, with "/" as the
// only separator: [drive][directory/][title][.extension]. A backslash is an
// ordinary character of a Linux file name. The extension starts at the last
// dot of the file name, so "archive.tar.gz" has the title "archive.tar" and
// the extension ".gz", and ".profile" has an empty title. Title and extension
// together always give back the file name.

// The file name without directory and extension.
QString GetPathTitle(const QString& path);
// The extension with its dot; empty when the file name has no dot.
QString GetPathExt(const QString& path);
// The directory with its trailing "/"; empty for a bare file name.
QString GetPathDir(const QString& path);
// Linux paths have no drive, so this is always empty. It exists so that code
// joining drive and directory reads the same everywhere.
QString GetPathDrive(const QString& path);

// Trims blanks from both ends; then with `add` appends one "/" unless the path
// already ends with one, and without it removes one trailing "/". The name is
// the one the rest of the program knows; the separator handled is "/".
// Two cases stay as they are, because changing them would change what the
// path means: an empty path gets no "/" (that would name the root folder) and
// the root "/" keeps its "/" (an empty path would name the current folder).
QString SetTrailingBackslash(const QString& path, bool add = true);

}  // namespace velora
