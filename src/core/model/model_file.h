// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace velora {

class CDrawingModel;

// Reads a template or design file into the model, all or nothing. A file of
// length 0 reads nothing and leaves the model as it is. Returns false when
// the stream is not a model stream: the user was told "Wrong file format!"
// and the model is unchanged. Throws FileError when the file cannot be read,
// FormatError (naming the file) when it is damaged, and UserAlreadyToldError
// when the user was already told why it cannot be opened.
bool LoadModelFile(CDrawingModel& model, const QString& path);

// Writes the model to the file through the container, atomically: a failure
// at any point leaves an existing file as it was. Throws FileError naming the
// file.
void SaveModelFile(CDrawingModel& model, const QString& path);

// The thumbnail stored at the start of a template or design file: only the
// start of the stream is unpacked, the signature checked and the first record
// decoded. Any failure gives a null image and no message.
QImage ReadThumbnail(const QString& path);

}  // namespace velora
