// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/image_encoders.h"

#include "core/common/errors.h"
#include "core/common/output_file.h"
#include "core/export/bmp_png_writers.h"
#include "core/export/gif_writer.h"
#include "core/export/jpeg_writer.h"
#include "core/export/save_plan.h"
#include "core/export/tiff_writer.h"

#include <new>

namespace velora {

namespace {
[[noreturn]] void FailFor(const QString& path, const QString& cause) {
    throw FileError(path, cause);
}

SavePlan CheckedPlan(const QString& path, const Guid& encoderId,
                     const EncoderParameters* parameters, QSize size, bool hasAlpha) {
    try {
        return PlanSave(encoderId, parameters, size, hasAlpha);
    } catch (const VeloraError& error) {
        FailFor(path, error.Message());
    }
}

void Write(RowSource& rows, OutputFile& file, const SavePlan& plan) {
    switch (plan.kind) {
        case EncoderKind::Bmp:
            WriteBmp(rows, file);
            break;
        case EncoderKind::Jpeg:
            WriteJpeg(rows, file, plan.jpeg);
            break;
        case EncoderKind::Gif:
            WriteGif(rows, file);
            break;
        case EncoderKind::Tiff:
            WriteTiff(rows, file, plan.tiff);
            break;
        case EncoderKind::Png:
            WritePng(rows, file);
            break;
    }
}
}  // namespace

void CheckSaveRequest(const QString& path, const Guid& encoderId,
                      const EncoderParameters* parameters, QSize size, bool hasAlpha) {
    CheckedPlan(path, encoderId, parameters, size, hasAlpha);
}

void SaveImage(const QImage& image, const QString& path, const Guid& encoderId,
               const EncoderParameters* parameters) {
    ImageRowSource rows(image);
    SaveRows(rows, path, encoderId, parameters);
}

void SaveRows(RowSource& rows, const QString& path, const Guid& encoderId,
              const EncoderParameters* parameters) {
    const SavePlan plan = CheckedPlan(path, encoderId, parameters, rows.Size(), rows.HasAlpha());
    try {
        OutputFile file(path);
        Write(rows, file, plan);
        file.Commit();
    } catch (const FileError&) {
        throw;
    } catch (const VeloraError& error) {
        FailFor(path, error.Message());
    } catch (const std::bad_alloc&) {
        FailFor(path, QStringLiteral("not enough memory to encode the image"));
    }
}

}  // namespace velora
