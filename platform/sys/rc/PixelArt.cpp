// Build tool: turns pixel art kept as text into a 24-bit bitmap file, for
// quenta_embed_pixel_art (see EmbedResource.cmake).
//
//   quenta_pixelart <art file> <output .bmp>
//
// The art file: lines starting with '#' are comments; "size W H"; one
// "colour C RRGGBB" per character used; then "pixels" and H rows of W
// characters, top row first.

#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

int Fail(const std::string& File, int Line, const std::string& What) {
    std::cerr << File << ":" << Line << ": " << What << "\n";
    return 1;
}

void Put16(std::string& Out, std::uint32_t V) {
    Out += static_cast<char>(V & 0xFF);
    Out += static_cast<char>((V >> 8) & 0xFF);
}
void Put32(std::string& Out, std::uint32_t V) {
    Put16(Out, V & 0xFFFF);
    Put16(Out, V >> 16);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: quenta_pixelart <art file> <output .bmp>\n";
        return 2;
    }
    const std::string input = argv[1], output = argv[2];
    std::ifstream in(input);
    if (!in) return Fail(input, 0, "cannot read the file");

    int width = 0, height = 0, lineNo = 0;
    std::map<char, std::uint32_t> colours;
    std::vector<std::string> rows;
    bool inPixels = false;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (inPixels) {
            if (static_cast<int>(rows.size()) == height) {
                if (!line.empty()) return Fail(input, lineNo, "more rows than the size says");
                continue;
            }
            if (static_cast<int>(line.size()) != width)
                return Fail(input, lineNo, "a row must be " + std::to_string(width) + " characters wide");
            for (char c : line)
                if (!colours.count(c)) return Fail(input, lineNo, std::string("no colour for '") + c + "'");
            rows.push_back(line);
            continue;
        }
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "size") {
            if (!(words >> width >> height) || width <= 0 || height <= 0 || width > 4096 || height > 4096)
                return Fail(input, lineNo, "size needs a width and a height of 1 to 4096");
        } else if (word == "colour") {
            std::string c, rgb;
            if (!(words >> c >> rgb) || c.size() != 1 || rgb.size() != 6 ||
                rgb.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                return Fail(input, lineNo, "colour needs one character and six hex digits RRGGBB");
            colours[c[0]] = static_cast<std::uint32_t>(std::stoul(rgb, nullptr, 16));
        } else if (word == "pixels") {
            if (width == 0) return Fail(input, lineNo, "the size must come before the pixels");
            inPixels = true;
        } else {
            return Fail(input, lineNo, "expected size, colour or pixels, not '" + word + "'");
        }
    }
    if (static_cast<int>(rows.size()) != height)
        return Fail(input, lineNo, "fewer rows than the size says");

    // A bottom-up 24-bit BMP; rows padded to four bytes.
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    std::string bmp = "BM";
    Put32(bmp, 54 + imageSize);
    Put32(bmp, 0);
    Put32(bmp, 54);
    Put32(bmp, 40);
    Put32(bmp, static_cast<std::uint32_t>(width));
    Put32(bmp, static_cast<std::uint32_t>(height));
    Put16(bmp, 1);
    Put16(bmp, 24);
    Put32(bmp, 0);
    Put32(bmp, imageSize);
    Put32(bmp, 2835);
    Put32(bmp, 2835);
    Put32(bmp, 0);
    Put32(bmp, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (char c : rows[y]) {
            const std::uint32_t rgb = colours[c];
            row += static_cast<char>(rgb & 0xFF);
            row += static_cast<char>((rgb >> 8) & 0xFF);
            row += static_cast<char>((rgb >> 16) & 0xFF);
        }
        row.resize(stride, '\0');
        bmp += row;
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << bmp;
    out.close();
    if (!out) return Fail(output, 0, "cannot write the file");
    return 0;
}
