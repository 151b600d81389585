// JPEG files through libjpeg. Any error or warning of the library (a
// damaged or truncated file) becomes EInvalidGraphic.
#include "platform/gui/graphics/Graphics.h"
#include "platform/gui/graphics/ImageCodecs.h"

#include "platform/gui/graphics/PictureLimits.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

struct TJpegError {
    jpeg_error_mgr Mgr;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr Info) {
    auto* err = reinterpret_cast<TJpegError*>(Info->err);
    (*Info->err->format_message)(Info, err->Message);
    std::longjmp(err->Jump, 1);
}

void EmitMessage(j_common_ptr Info, int Level) {
    if (Level < 0) ErrorExit(Info); // warnings mean damaged data
}

// Decodes into Out; answers false with the library's message in Err (or
// Problem set) on failure. Nothing with a destructor lives in this frame:
// the row buffer belongs to the caller, so the jump back is safe.
bool DecodeCore(const std::vector<Byte>& Data, TRaster& Out, std::vector<Byte>& Row, TJpegError& Err,
                const char*& Problem) {
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&Err.Mgr);
    Err.Mgr.error_exit = ErrorExit;
    Err.Mgr.emit_message = EmitMessage;
    if (setjmp(Err.Jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, Data.data(), static_cast<unsigned long>(Data.size()));
    jpeg_read_header(&info, TRUE);
    bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (PictureTooLarge(info.image_width, info.image_height)) {
        Problem = "the image is too large";
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    Out.Resize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    Row.resize(static_cast<std::size_t>(info.output_width) * info.output_components);
    while (info.output_scanline < info.output_height) {
        int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {Row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        std::uint32_t* dst = Out.Row(y);
        const Byte* src = Row.data();
        for (JDIMENSION x = 0; x < info.output_width; ++x) {
            unsigned r, g, b;
            if (cmyk) { // stored inverted, as the usual writers do
                unsigned c = src[4 * x], m = src[4 * x + 1], yy = src[4 * x + 2], k = src[4 * x + 3];
                r = c * k / 255;
                g = m * k / 255;
                b = yy * k / 255;
            } else {
                r = src[3 * x];
                g = src[3 * x + 1];
                b = src[3 * x + 2];
            }
            dst[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool EncodeCore(const TRaster& Raster, int Quality, bool Grayscale, std::vector<Byte>& Row, unsigned char*& Buffer,
                unsigned long& Size, TJpegError& Err) {
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&Err.Mgr);
    Err.Mgr.error_exit = ErrorExit;
    if (setjmp(Err.Jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &Buffer, &Size);
    info.image_width = static_cast<JDIMENSION>(Raster.Width());
    info.image_height = static_cast<JDIMENSION>(Raster.Height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, Quality, TRUE);
    if (Grayscale) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    jpeg_start_compress(&info, TRUE);
    Row.resize(static_cast<std::size_t>(Raster.Width()) * 3);
    while (info.next_scanline < info.image_height) {
        const std::uint32_t* src = Raster.Row(static_cast<int>(info.next_scanline));
        for (int x = 0; x < Raster.Width(); ++x) {
            Row[3 * x] = static_cast<Byte>(src[x] >> 16);
            Row[3 * x + 1] = static_cast<Byte>(src[x] >> 8);
            Row[3 * x + 2] = static_cast<Byte>(src[x]);
        }
        JSAMPROW rows[1] = {Row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

TRaster DecodeJpeg(const std::vector<Byte>& Data) {
    if (Data.size() < 4 || Data[0] != 0xFF || Data[1] != 0xD8) throw EInvalidGraphic("JPEG image is not valid: no JPEG file header");
    TRaster out(0, 0);
    std::vector<Byte> row;
    TJpegError err{};
    const char* problem = nullptr;
    if (!DecodeCore(Data, out, row, err, problem))
        throw EInvalidGraphic(String("JPEG image is not valid: ") + (problem ? problem : err.Message));
    return out;
}

std::vector<Byte> EncodeJpeg(const TRaster& Raster, int Quality, bool Grayscale) {
    if (Raster.Width() == 0 || Raster.Height() == 0) throw EInvalidGraphicOperation("Cannot save an empty JPEG image");
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<Byte> row;
    TJpegError err{};
    bool ok = EncodeCore(Raster, Quality, Grayscale, row, buffer, size, err);
    std::vector<Byte> out;
    if (ok) out.assign(buffer, buffer + size);
    std::free(buffer);
    if (!ok) throw EInvalidGraphicOperation(String("Cannot write the JPEG image: ") + err.Message);
    return out;
}
