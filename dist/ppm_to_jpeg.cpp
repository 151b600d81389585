// Writes a binary portable pixmap (P6, 8 bits a channel) as a baseline
// JPEG file with libjpeg: the build makes the about box's picture with it.
// Usage: ppm_to_jpeg INPUT.ppm OUTPUT.jpg [QUALITY]
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

int Fail(const char* What, const char* Name) {
    std::fprintf(stderr, "ppm_to_jpeg: %s: %s\n", Name, What);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: ppm_to_jpeg INPUT.ppm OUTPUT.jpg [QUALITY]\n");
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (!in) return Fail("cannot be opened", argv[1]);
    int width = 0, height = 0, maxval = 0;
    if (std::fscanf(in, "P6 %d %d %d", &width, &height, &maxval) != 3 || maxval != 255 || width <= 0 ||
        height <= 0 || width > 8192 || height > 8192 || std::fgetc(in) == EOF) {
        std::fclose(in);
        return Fail("is not an 8-bit binary portable pixmap", argv[1]);
    }
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    const bool complete = std::fread(pixels.data(), 1, pixels.size(), in) == pixels.size();
    std::fclose(in);
    if (!complete) return Fail("ends before its last pixel", argv[1]);

    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out) return Fail("cannot be written", argv[2]);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, argc > 3 ? std::atoi(argv[3]) : 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = &pixels[static_cast<size_t>(cinfo.next_scanline) * width * 3];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const bool written = std::fflush(out) == 0 && !std::ferror(out);
    if (std::fclose(out) != 0 || !written) return Fail("could not be written completely", argv[2]);
    return 0;
}
