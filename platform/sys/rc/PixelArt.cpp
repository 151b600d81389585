// Build tool: turns pixel art kept as text into a 24-bit bitmap file, for
// quenta_embed_pixel_art (see EmbedResource.cmake) and the image strips of
// image lists.
//
//   quenta_pixelart <art file>... <output .bmp>
//
// The art file: lines starting with '#' are comments; "size W H"; one
// "colour C RRGGBB" per character used; then "pixels" and H rows of W
// characters, top row first. Several art files of the same height are laid
// side by side, the first on the left.

#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Says what is wrong where; answers false.
bool Fail(const std::string& File, int Line, const std::string& What) {
    std::cerr << File << ":" << Line << ": " << What << "\n";
    return false;
}

void Put16(std::string& Out, std::uint32_t V) {
    Out += static_cast<char>(V & 0xFF);
    Out += static_cast<char>((V >> 8) & 0xFF);
}
void Put32(std::string& Out, std::uint32_t V) {
    Put16(Out, V & 0xFFFF);
    Put16(Out, V >> 16);
}

// Reads one art file into rows of RGB values, top row first. On failure
// answers false after saying why.
bool ReadArt(const std::string& Input, std::vector<std::vector<std::uint32_t>>& Pixels) {
    std::ifstream in(Input);
    if (!in) return Fail(Input, 0, "cannot read the file");

    int width = 0, height = 0, lineNo = 0;
    std::map<char, std::uint32_t> colours;
    bool inPixels = false;
    std::string line;
    Pixels.clear();
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (inPixels) {
            if (static_cast<int>(Pixels.size()) == height) {
                if (!line.empty()) return Fail(Input, lineNo, "more rows than the size says");
                continue;
            }
            if (static_cast<int>(line.size()) != width)
                return Fail(Input, lineNo, "a row must be " + std::to_string(width) + " characters wide");
            std::vector<std::uint32_t> row;
            for (char c : line) {
                if (!colours.count(c)) return Fail(Input, lineNo, std::string("no colour for '") + c + "'");
                row.push_back(colours[c]);
            }
            Pixels.push_back(std::move(row));
            continue;
        }
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "size") {
            if (!(words >> width >> height) || width <= 0 || height <= 0 || width > 4096 || height > 4096)
                return Fail(Input, lineNo, "size needs a width and a height of 1 to 4096");
        } else if (word == "colour") {
            std::string c, rgb;
            if (!(words >> c >> rgb) || c.size() != 1 || rgb.size() != 6 ||
                rgb.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                return Fail(Input, lineNo, "colour needs one character and six hex digits RRGGBB");
            colours[c[0]] = static_cast<std::uint32_t>(std::stoul(rgb, nullptr, 16));
        } else if (word == "pixels") {
            if (width == 0) return Fail(Input, lineNo, "the size must come before the pixels");
            inPixels = true;
        } else {
            return Fail(Input, lineNo, "expected size, colour or pixels, not '" + word + "'");
        }
    }
    if (height == 0) return Fail(Input, lineNo, "no size and pixels in the file");
    if (static_cast<int>(Pixels.size()) != height) return Fail(Input, lineNo, "fewer rows than the size says");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: quenta_pixelart <art file>... <output .bmp>\n";
        return 2;
    }
    const std::string output = argv[argc - 1];
    // The rows of all art files side by side.
    std::vector<std::vector<std::uint32_t>> rows;
    for (int i = 1; i < argc - 1; ++i) {
        std::vector<std::vector<std::uint32_t>> art;
        if (!ReadArt(argv[i], art)) return 1;
        if (rows.empty())
            rows.resize(art.size());
        else if (art.size() != rows.size()) {
            Fail(argv[i], 0,
                 "is " + std::to_string(art.size()) + " rows high, the art before it " +
                     std::to_string(rows.size()) + ": art laid side by side must be of one height");
            return 1;
        }
        for (std::size_t y = 0; y < art.size(); ++y)
            rows[y].insert(rows[y].end(), art[y].begin(), art[y].end());
    }
    const int width = static_cast<int>(rows[0].size()), height = static_cast<int>(rows.size());

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
        for (std::uint32_t rgb : rows[y]) {
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
    if (!out) {
        Fail(output, 0, "cannot write the file");
        return 1;
    }
    return 0;
}
