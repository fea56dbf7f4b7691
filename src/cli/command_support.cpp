// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_support.h"

#include "core/common/file_bytes.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

namespace velora::cli {

void FailNamingFile(const QString& file, const VeloraError& error) {
    throw CommandError({}, FailureText(error, file));
}

void LoadDocument(CDrawingModel& model, const QString& file, CliUserInterface& user) {
    model.SetUserInterface(&user);
    NamingFile(file, [&] { LoadModelFile(model, file); });
}

void SaveDocument(CDrawingModel& model, const QString& file) {
    NamingFile(file, [&] { SaveModelFile(model, file); });
}

QString OutputPath(const ParsedArguments& args) {
    if (!args.Has("-o")) throw UsageError("the output file is missing (-o FILE)");
    return args.Value("-o");
}

QString OutputPathEndingIn(const ParsedArguments& args, const QStringList& extensions,
                           const QString& kind) {
    const QString out = OutputPath(args);
    if (!extensions.contains(QFileInfo(out).suffix().toLower())) {
        throw UsageError(
            QString("-o expects %1 (*.%2), not \"%3\"").arg(kind, extensions.join(", *."), out));
    }
    return out;
}

QString ImageOutputPath(const ParsedArguments& args) {
    QStringList extensions;
    for (const QByteArray& format : QImageWriter::supportedImageFormats()) {
        extensions.append(QString::fromLatin1(format).toLower());
    }
    return OutputPathEndingIn(args, extensions, "an image");
}

void WriteImageFile(const QImage& image, const QString& file) {
    const QByteArray format = QFileInfo(file).suffix().toLower().toLatin1();
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpg" || format == "jpeg") writer.setQuality(100);
    if (!writer.write(image)) {
        throw CommandError(file, "cannot write this kind of image (" + writer.errorString() + ")");
    }
    NamingFile(file, [&] { WriteFileAtomically(file, encoded); });
}

}  // namespace velora::cli
