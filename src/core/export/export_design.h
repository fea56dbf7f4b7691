// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/encoder_table.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace velora {

class CDrawingModel;
class IUserInterface;

// What the export dialog hands over.
struct ExportRequest {
    int width = 0;
    int height = 0;
    // A name without a folder goes into the export folder.
    QString fileName;
    Guid encoderId;
    // The options panel's block; none for BMP, GIF and PNG.
    std::optional<EncoderParameters> parameters;
};

// Refuses, with a message for the user (VeloraError), a size below 1 x 1 and
// one whose working memory, together with the bands of the design's 16-bit
// rendering, would not fit in this computer's memory.
void CheckExportSize(QSize size, QSize designSize);

// The file name with the export folder put in front when it has no folder;
// that folder is made when it does not exist yet (a failure shows when the
// file is saved).
QString ExportPath(const QString& fileName);

// Renders the design at its own size, scales the picture to the requested
// size and saves it through the chosen encoder and parameters, a band of rows
// at a time; returns the path written. Everything that can be checked is
// checked before rendering.
// Throws VeloraError (FileError for the file: "path: cause") and leaves no
// file behind on failure. With a progress target, its steps are shown there
// ("Exporting..."); the desktop program shows a window of its own instead.
QString ExportDesign(CDrawingModel& model, const ExportRequest& request,
                     IUserInterface* progress = nullptr);

}  // namespace velora
