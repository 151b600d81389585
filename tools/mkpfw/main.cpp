// mkpfw: enciphers an Intel HEX file into a firmware file (.pfw) that the
// host opens.
//   mkpfw [--key TEXT] INPUT.hex OUTPUT.pfw
// TEXT is the key string (its first 16 bytes, padded with spaces); the
// default is the host's own.

#include "host/image/FirmwareFile.h"
#include "tools/mkpfw/PfwWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {
int Usage() {
    std::fprintf(stderr, "usage: mkpfw [--key TEXT] INPUT.hex OUTPUT.pfw\n");
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    String key = FirmwareKeyString;
    const char* input = nullptr;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--key") == 0) {
            if (++i >= argc) return Usage();
            key = argv[i];
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return Usage();
        } else if (!input) {
            input = argv[i];
        } else if (!output) {
            output = argv[i];
        } else {
            return Usage();
        }
    }
    if (!input || !output) return Usage();

    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "mkpfw: cannot open %s: %s\n", input, std::strerror(errno));
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    TStringList lines;
    lines.SetText(text.str());
    if (!ValidateHexLines(lines)) {
        std::fprintf(stderr, "mkpfw: %s is not a valid Intel HEX file (a record is malformed or has a wrong "
                             "checksum); nothing written\n",
                     input);
        return 1;
    }

    const String file = MakeFirmwareFile(text.str(), XxteaKeyFromString(key));
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "mkpfw: cannot write %s: %s\n", output, std::strerror(errno));
        return 1;
    }
    return 0;
}
