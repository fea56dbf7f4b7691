// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/jpeg_writer.h"

#include "core/common/errors.h"
#include "core/common/output_file.h"
#include "core/export/oriented_rows.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>

namespace velora {

namespace {
constexpr size_t kBufferBytes = 64 * 1024;
constexpr UINT16 kDotsPerInch = 96;

// libjpeg leaves a failing call by longjmp, so everything it can jump over
// lives here, outside the function that calls setjmp, and is cleaned up by
// this object's destructor.
struct JpegSession {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
    jpeg_destination_mgr destination{};
    QIODevice* device = nullptr;
    bool writeFailed = false;
    std::vector<JOCTET> buffer = std::vector<JOCTET>(kBufferBytes);
    bool created = false;

    ~JpegSession() {
        if (created) jpeg_destroy_compress(&cinfo);
    }
};

JpegSession& SessionOf(j_common_ptr cinfo) {
    return *static_cast<JpegSession*>(cinfo->client_data);
}

void OnError(j_common_ptr cinfo) {
    JpegSession& session = SessionOf(cinfo);
    (*cinfo->err->format_message)(cinfo, session.message);
    longjmp(session.jump, 1);
}

// Warnings do not stop the encoder and have nowhere useful to go.
void OnMessage(j_common_ptr, int) {}

void InitDestination(j_compress_ptr cinfo) {
    JpegSession& session = SessionOf(reinterpret_cast<j_common_ptr>(cinfo));
    cinfo->dest->next_output_byte = session.buffer.data();
    cinfo->dest->free_in_buffer = session.buffer.size();
}

void WriteOut(j_compress_ptr cinfo, size_t bytes) {
    JpegSession& session = SessionOf(reinterpret_cast<j_common_ptr>(cinfo));
    const auto* data = reinterpret_cast<const char*>(session.buffer.data());
    if (session.device->write(data, qint64(bytes)) != qint64(bytes)) {
        session.writeFailed = true;
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    WriteOut(cinfo, kBufferBytes);
    InitDestination(cinfo);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    WriteOut(cinfo, kBufferBytes - cinfo->dest->free_in_buffer);
}

// The whole compression. False when libjpeg failed, with its message in the
// session. Holds nothing that needs destroying, as libjpeg may leave it by
// longjmp at any call.
bool Compress(JpegSession& session, OrientedRows& rows, int quality, uchar* line) {
    const QSize size = rows.Size();
    jpeg_compress_struct* cinfo = &session.cinfo;
    if (setjmp(session.jump)) return false;
    jpeg_create_compress(cinfo);
    session.created = true;
    cinfo->dest = &session.destination;
    session.destination.init_destination = InitDestination;
    session.destination.empty_output_buffer = EmptyOutputBuffer;
    session.destination.term_destination = TermDestination;

    cinfo->image_width = JDIMENSION(size.width());
    cinfo->image_height = JDIMENSION(size.height());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    cinfo->optimize_coding =
        qint64(size.width()) * size.height() <= kMaxOptimizedJpegPixels ? TRUE : FALSE;
    cinfo->density_unit = 1;
    cinfo->X_density = kDotsPerInch;
    cinfo->Y_density = kDotsPerInch;

    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        rows.Read(int(cinfo->next_scanline), line);
        JSAMPROW row = line;
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}
}  // namespace

void WriteJpeg(RowSource& source, OutputFile& file, const JpegOptions& options) {
    OrientedRows rows(source, options.transformation);
    std::vector<uchar> line(size_t(rows.Size().width()) * 3);
    JpegSession session;
    session.device = &file.Device();
    session.cinfo.client_data = &session;
    session.cinfo.err = jpeg_std_error(&session.errors);
    session.errors.error_exit = OnError;
    session.errors.emit_message = OnMessage;
    if (Compress(session, rows, options.quality, line.data())) return;
    if (session.writeFailed) file.FailEncoding(QString::fromLocal8Bit(session.message));
    throw VeloraError(QStringLiteral("JPEG encoder: ") + QString::fromLocal8Bit(session.message));
}

}  // namespace velora
