// Build tool: packs a program file into the zlib stream that Starter
// carries in its resource PELSORDATA.
//
//   starter_pack <program file> <stream file>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>
#include <zlib.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: starter_pack <program file> <stream file>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "starter_pack: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::vector<unsigned char> program((std::istreambuf_iterator<char>(in)),
                                             std::istreambuf_iterator<char>());
    if (in.bad() || program.size() > (1u << 30)) {
        std::cerr << "starter_pack: cannot pack " << argv[1] << " (unreadable or larger than 1 GiB)\n";
        return 1;
    }

    uLongf size = compressBound(static_cast<uLong>(program.size()));
    std::vector<unsigned char> stream(size);
    int rc = compress2(stream.data(), &size, program.data(), static_cast<uLong>(program.size()),
                       Z_BEST_COMPRESSION);
    if (rc != Z_OK) {
        std::cerr << "starter_pack: compressing " << argv[1] << " failed: " << zError(rc) << "\n";
        return 1;
    }

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(stream.data()), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        std::cerr << "starter_pack: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
