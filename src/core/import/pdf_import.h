// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora {

class CDrawingModel;
class EntityTally;

inline constexpr qint64 kMaxPdfFileBytes = qint64{1} << 30;
// More pages than any book of line art has; the page sizes of all are read
// for the size dialog.
inline constexpr int kMaxPdfPages = 10000;

// Imports one page of a PDF document as a template. A protected document
// asks the user for its password once; a document of several pages has the
// size dialog ask which page. The page is rendered by Poppler's QPainter
// backend into a recording paint device, whose figures are chained,
// converted and sized. Throws FileError when the file cannot be read and
// FormatError when it is no PDF document, the password is wrong, or the page
// asked for is not there, and UserAlreadyToldError when the user cancels the
// password; a cancelled size dialog leaves the model empty. Pictures on the page are counted as IMAGE in ignored when it
// is given.
void LoadPdfFile(CDrawingModel& model, const QString& path, EntityTally* ignored = nullptr);

}  // namespace velora
