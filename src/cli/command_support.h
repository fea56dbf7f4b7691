// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command.h"
#include "core/common/errors.h"

#include <QImage>
#include <QString>

namespace velora {
class CDrawingModel;
}

namespace velora::cli {

// Turns a core failure into a CommandError that names the file, unless the
// failure names one of its own.
[[noreturn]] void FailNamingFile(const QString& file, const VeloraError& error);

// Runs work, naming the file in any core failure.
template <typename Work>
auto NamingFile(const QString& file, Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const VeloraError& error) {
        FailNamingFile(file, error);
    }
}

// Loads a template or design file into the model; a file that is not a
// model stream fails as "Wrong file format!".
void LoadDocument(CDrawingModel& model, const QString& file, CliUserInterface& user);
// Saves the model as a template or design file, atomically.
void SaveDocument(CDrawingModel& model, const QString& file);

// The -o option, required.
QString OutputPath(const ParsedArguments& args);
// The -o option, required, ending in one of the extensions (lower case,
// without the dot; letter case is not minded). Any other is bad usage, so
// that no command writes a file of one kind under the name of another.
QString OutputPathEndingIn(const ParsedArguments& args, const QStringList& extensions,
                           const QString& kind);
// The -o option for an image that WriteImageFile can encode.
QString ImageOutputPath(const ParsedArguments& args);

// Encodes the image in the format its name's extension gives and writes it
// atomically.
void WriteImageFile(const QImage& image, const QString& file);

}  // namespace velora::cli
