// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/model_content.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace velora {

class ArchiveReader;
class ArchiveWriter;
class CDrawingModel;
class IUserInterface;

// The model stream: the whole content of template and design files, read
// and written by CDrawingModel::Serialize.

// Every model stream starts with these nine bytes, without length or
// terminator.
inline constexpr char kModelSignature[] = "MOSVELDAT";
inline constexpr size_t kModelSignatureSize = sizeof(kModelSignature) - 1;

// True when the stream starts with the signature.
bool HasModelSignature(std::span<const uint8_t> stream);

// Reads the stream after its signature: the thumbnail (skipped), template
// name, areas, curves, textures, regions, size and mask. Throws FormatError
// for damaged data; area images that do not decode are told to the user and
// left out.
ModelContent ReadModelContent(ArchiveReader& archive, IUserInterface& user);

// Writes the whole stream of the model, signature and a fresh thumbnail
// first. An area image that cannot be stored is told to the model's user.
void WriteModelStream(CDrawingModel& model, ArchiveWriter& archive);

}  // namespace velora
