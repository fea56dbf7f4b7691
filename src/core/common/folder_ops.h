// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/folder_walk.h"

#include <QString>
#include <QStringList>

namespace velora {

// Creates every folder along `path`, outermost first: the path splits at "/"
// and each accumulated prefix, ending with "/", is created in turn ("/" first
// for an absolute path). Prefixes that already exist are passed over. Every
// accumulated prefix is appended to `attempted` when given. Returns true when
// the whole path is a folder afterwards, whether it was created now or was
// there before; on false errno holds the first reason a folder could not be
// made.
bool CreateFolderPath(const QString& path, QStringList* attempted = nullptr);

// Deletes a folder with everything in it: first every file, then every
// subfolder deepest first, then the folder itself. Stops at the first entry
// that cannot be deleted and returns false, with errno saying why; what was
// deleted before stays deleted, and the folders stay in place.
//
// Symbolic links are deleted as links, never followed: a link inside the
// folder goes without touching what it points to, and when `folder` itself
// is a link only the link is deleted. A `folder` that names a file or nothing
// at all is left alone and gives false.
bool DeleteFolder(const QString& folder, const WalkKeepAlive& keepAlive = {});

}  // namespace velora
