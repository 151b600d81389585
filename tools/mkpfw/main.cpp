// mkpfw: enciphers an Intel HEX file into a firmware file (.pfw) that the
// host opens.
//   mkpfw [--key TEXT] INPUT.hex OUTPUT.pfw
// TEXT is the key string (its first 16 bytes, padded with spaces); the
// default is the host's own. The input must pass the host's own check and
// hold data. The output is written to a temporary file beside it and
// renamed into place, so a failed run leaves no output, and an older one as
// it was.

#include "host/image/FirmwareFile.h"
#include "platform/rtl/SysUtils.h"
#include "tools/mkpfw/PfwWriter.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

const char* const UsageText = "usage: mkpfw [--key TEXT] INPUT.hex OUTPUT.pfw\n";

const char* const HelpText =
    "\n"
    "Enciphers the Intel HEX file INPUT.hex into the firmware file OUTPUT.pfw,\n"
    "which the host opens with File, Open firmware file.\n"
    "\n"
    "  --key TEXT   the key string: its first 16 characters, padded with spaces\n"
    "               (default: the key the host opens firmware files with)\n"
    "  --help       this text\n"
    "\n"
    "The input must be a valid Intel HEX file holding data records. OUTPUT.pfw\n"
    "may not be the input file; it is replaced only once it is written whole.\n";

int Usage() {
    std::fputs(UsageText, stderr);
    return 2;
}

int Fail(const String& Text) {
    std::fprintf(stderr, "mkpfw: %s\n", Text.c_str());
    return 1;
}

// True when both names lead to one file (the same path, another path to
// it, a symbolic or a hard link).
bool SameFile(const char* A, const char* B) {
    struct stat a {}, b {};
    return stat(A, &a) == 0 && stat(B, &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

int main(int argc, char** argv) {
    String key = FirmwareKeyString;
    const char* input = nullptr;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("%s%s", UsageText, HelpText);
            return 0;
        } else if (std::strcmp(argv[i], "--key") == 0) {
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
    if (SameFile(input, output))
        return Fail(String(output) + " is the input file " + input +
                    "; name another output file. Nothing written.");
    // A file size limit then makes the write fail like a full disk, and the
    // temporary file is removed, instead of ending the program there.
    std::signal(SIGXFSZ, SIG_IGN);

    String text;
    try {
        text = ReadFileText(input);
    } catch (const Exception& e) {
        return Fail(e.Message + ". Nothing written.");
    }
    {
        THexLines lines;
        lines.SetText(text);
        const THexCheck check = CheckHexLines(lines);
        if (!check.Valid && check.Line < 0)
            return Fail(String(input) + " is empty: it holds no Intel HEX records. Nothing written.");
        if (!check.Valid)
            return Fail(Format("%s, line %d: the record %s. Mend that line or make the file again; nothing "
                               "written.",
                               {input, check.Line + 1, check.Problem}));
        if (!check.HasData)
            return Fail(String(input) +
                        " holds no data records, so the firmware file would program nothing. Nothing written.");
    }

    try {
        WriteFileAtomically(output, MakeFirmwareFile(text, XxteaKeyFromString(key)));
    } catch (const Exception& e) {
        return Fail(e.Message + ". Nothing written.");
    }
    return 0;
}
