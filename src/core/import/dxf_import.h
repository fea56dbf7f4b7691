// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora {

class CDrawingModel;
class EntityTally;

constexpr qint64 kMaxDxfFileBytes = qint64{1} << 30;

// Imports an ASCII DXF drawing as a template: clears the model, reads the
// entities into its import paths, chains and converts them to curves, turns
// the drawing upright (DXF has y pointing up) and sizes it. Returns 1 when
// the file was read, 0 when it cannot be opened (the model is then cleared
// and nothing else happens; openFailure, when given, receives why). Throws
// FileError when the file cannot be read or is no regular file, and
// FormatError when it is larger than kMaxDxfFileBytes, empty, has no DXF
// sections, or shows no outline at all; these are refused before the size
// is asked. What the template leaves out is counted in ignored when it is
// given.
int LoadDxfFile(CDrawingModel& model, const QString& path, EntityTally* ignored = nullptr,
                QString* openFailure = nullptr);

}  // namespace velora
