// SPDX-License-Identifier: GPL-3.0-or-later
#include "codec_readers.h"

#include <csetjmp>
#include <cstdio>

#include <gif_lib.h>
#include <jpeglib.h>
#include <tiffio.h>

namespace velora::test {

namespace {
struct JpegError {
    jpeg_error_mgr manager;
    jmp_buf jump;
};

void JumpOnError(j_common_ptr cinfo) { longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }

bool DecodeJpeg(FILE* file, jpeg_decompress_struct* cinfo, JpegFacts* facts) {
    if (setjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump)) return false;
    jpeg_create_decompress(cinfo);
    jpeg_stdio_src(cinfo, file);
    jpeg_read_header(cinfo, TRUE);
    facts->width = int(cinfo->image_width);
    facts->height = int(cinfo->image_height);
    facts->components = cinfo->num_components;
    if (cinfo->quant_tbl_ptrs[0]) facts->lumaDcQuant = cinfo->quant_tbl_ptrs[0]->quantval[0];
    cinfo->out_color_space = JCS_RGB;
    jpeg_start_decompress(cinfo);
    facts->rgb.resize(size_t(facts->width) * size_t(facts->height) * 3);
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row =
            facts->rgb.data() + size_t(cinfo->output_scanline) * size_t(facts->width) * 3;
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}
}  // namespace

QRgb JpegFacts::Pixel(int x, int y) const {
    const uint8_t* p = rgb.data() + (size_t(y) * size_t(width) + size_t(x)) * 3;
    return qRgb(p[0], p[1], p[2]);
}

JpegFacts ReadJpeg(const QString& path) {
    JpegFacts facts;
    FILE* file = std::fopen(path.toLocal8Bit().constData(), "rb");
    if (!file) return facts;
    jpeg_decompress_struct cinfo{};
    JpegError error{};
    cinfo.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpOnError;
    facts.ok = DecodeJpeg(file, &cinfo, &facts);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return facts;
}

QRgb TiffFacts::Pixel(uint32_t x, uint32_t y) const {
    const uint32_t p = rgba[size_t(y) * width + x];
    return qRgba(int(TIFFGetR(p)), int(TIFFGetG(p)), int(TIFFGetB(p)), int(TIFFGetA(p)));
}

TiffFacts ReadTiff(const QString& path) {
    TiffFacts facts;
    TIFF* tiff = TIFFOpen(path.toLocal8Bit().constData(), "r");
    if (!tiff) return facts;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &facts.width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &facts.height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &facts.compression);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &facts.bitsPerSample);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &facts.samplesPerPixel);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &facts.photometric);
    if (!TIFFGetField(tiff, TIFFTAG_PREDICTOR, &facts.predictor)) facts.predictor = PREDICTOR_NONE;
    uint16_t extraCount = 0;
    uint16_t* extra = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extra)) {
        facts.extraSamples.assign(extra, extra + extraCount);
    }
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue)) {
        facts.colormapEntries = size_t(1) << facts.bitsPerSample;
    }
    bool ok = true;
    std::vector<uint8_t> line(size_t(TIFFScanlineSize(tiff)));
    for (uint32_t y = 0; y < facts.height && ok; ++y) {
        ok = TIFFReadScanline(tiff, line.data(), y, 0) == 1;
        facts.rows.push_back(line);
    }
    // Strip-oriented codecs need a fresh start for the RGBA reader.
    TIFFClose(tiff);
    tiff = TIFFOpen(path.toLocal8Bit().constData(), "r");
    facts.rgba.resize(size_t(facts.width) * facts.height);
    ok = ok && tiff &&
         TIFFReadRGBAImageOriented(tiff, facts.width, facts.height, facts.rgba.data(),
                                   ORIENTATION_TOPLEFT, 1) == 1;
    if (tiff) TIFFClose(tiff);
    facts.ok = ok;
    return facts;
}

GifFacts ReadGif(const QString& path) {
    GifFacts facts;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.toLocal8Bit().constData(), &error);
    if (!gif) return facts;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        facts.width = gif->SWidth;
        facts.height = gif->SHeight;
        facts.imageCount = gif->ImageCount;
        const ColorMapObject* map = gif->SColorMap;
        if (map) {
            facts.colorCount = map->ColorCount;
            facts.bitsPerPixel = map->BitsPerPixel;
            const SavedImage& image = gif->SavedImages[0];
            const size_t count = size_t(image.ImageDesc.Width) * size_t(image.ImageDesc.Height);
            for (size_t i = 0; i < count; ++i) {
                const GifColorType& c = map->Colors[image.RasterBits[i]];
                facts.pixels.push_back(qRgb(c.Red, c.Green, c.Blue));
            }
            facts.ok =
                image.ImageDesc.Width == facts.width && image.ImageDesc.Height == facts.height;
        }
    }
    DGifCloseFile(gif, &error);
    return facts;
}

}  // namespace velora::test
