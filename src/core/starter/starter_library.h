// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace velora {

class IUserInterface;
struct LibraryFolders;

// What adding the starter library did: the files it wrote, and the ones
// already there, which it left alone.
struct StarterReport {
    QStringList added;
    QStringList kept;
};

// Whether the template, texture, velora and export libraries hold no file at
// all (their folders may exist, empty or with empty subfolders): a first
// start, with nothing to try.
bool AreLibrariesEmpty(const LibraryFolders& folders);

// Adds the starter library: three texture groups ("Natural" wood and stone,
// "Fabric", "Colours") of seamless tiles made by the texture generator, and
// three templates ("House", "Fish", "Flower") made from drawings of our own,
// with their areas named. A file that exists already is left as it is.
// Shows its steps as progress. Throws FileError when a file cannot be
// written; what was written before stays.
StarterReport AddStarterLibrary(const LibraryFolders& folders, IUserInterface& user);

}  // namespace velora
