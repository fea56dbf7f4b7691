// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora {

enum class CopyOutcome {
    Copied,
    // The target is the source itself (the folder it is copied into is its
    // own): nothing was done, and the file is where it was.
    SameFile,
    Failed,
};

struct CopyResult {
    CopyOutcome outcome = CopyOutcome::Failed;
    QString target;
    // Why the copy failed, for the user; empty otherwise.
    QString error;
};

// Copies a file into a folder under its own name. With `overwrite` an
// existing file of that name is replaced, atomically: until the copy is
// complete the old file stays as it was. Without it an existing file is left
// alone and the copy fails. Only files are copied; a folder fails.
CopyResult CopyFileToFolder(const QString& source, const QString& folder, bool overwrite);

}  // namespace velora
