// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/model_content.h"

#include <QImage>
#include <QString>

#include <optional>

namespace velora {

class CDrawingModel;
class IUserInterface;

// Reads what a template or design file holds; none for a file of length 0,
// which holds nothing. Throws WrongFormatError when the stream is not a
// model stream, FileError when the file cannot be read, FormatError (naming
// the file) when it is damaged, and UserAlreadyToldError when the user was
// already told why it cannot be opened.
std::optional<ModelContent> ReadModelFile(const QString& path, IUserInterface& user);

// Reads a template or design file into the model, all or nothing: on any
// failure (as ReadModelFile) the model is as it was, and a file of length 0
// leaves it as it is.
void LoadModelFile(CDrawingModel& model, const QString& path);

// Writes the model to the file through the container, atomically: a failure
// at any point leaves an existing file as it was. Throws FileError naming the
// file.
void SaveModelFile(CDrawingModel& model, const QString& path);

// The thumbnail stored at the start of a template or design file: only the
// start of the stream is unpacked, the signature checked and the first record
// decoded. Any failure gives a null image and no message.
QImage ReadThumbnail(const QString& path);

}  // namespace velora
