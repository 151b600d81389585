#include "tools/devsim/DevSimCommandLine.h"

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace devsim {

namespace {

String BindAddress(const String& Text) {
    in_addr addr{};
    if (inet_pton(AF_INET, Text.c_str(), &addr) != 1)
        throw EDevSimError("Invalid bind address \"" + Text +
                           "\": give a dotted IPv4 address of this machine, such as 127.0.0.1 (0.0.0.0: all).");
    return Text;
}

void CheckSettingsFile(const String& Name, Integer Index) {
    struct stat st {};
    if (stat(Name.c_str(), &st) != 0)
        throw EDevSimError("Settings file \"" + Name + "\" not found: " + std::strerror(errno) +
                           ". Name an existing Settings.ini, or leave --settings out for the built-in PIC32MX795F512L.");
    std::ifstream in(Name, std::ios::binary);
    char c;
    if (!S_ISREG(st.st_mode) || !in || (!in.get(c) && !in.eof()))
        throw EDevSimError("Settings file \"" + Name + "\" cannot be read" +
                           (S_ISDIR(st.st_mode) ? String(": it is a folder.") : String(".")));
    const TIniFile ini(Name);
    const String sec = "Known Devices";
    const String entry = Format("DeviceID%2.2d", {Index});
    if (!ini.ValueExists(sec, "NumDevices") || !ini.ValueExists(sec, entry))
        throw EDevSimError(Format("Settings file \"%s\" has no usable device entry %d: its [%s] section needs "
                                  "NumDevices and at least %s.",
                                  {Name, Index, sec, entry}));
}

void CheckSaveHexFile(const String& Name) {
    struct stat st {};
    const bool existed = stat(Name.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode))
        throw EDevSimError("Cannot write --save-hex file \"" + Name + "\": it is a folder. Name a file.");
    const int fd = open(Name.c_str(), existed ? O_WRONLY : O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        throw EDevSimError("Cannot write --save-hex file \"" + Name + "\": " + std::strerror(errno) +
                           ". Name a file in a folder that exists and can be written.");
    close(fd);
    if (!existed) unlink(Name.c_str());
}

} // namespace

TDevSimCommandLine ParseDevSimCommandLine(const std::vector<String>& Args) {
    TDevSimCommandLine cl;
    TDevSimOptions& o = cl.Options;
    for (std::size_t i = 0; i < Args.size(); ++i) {
        String name = Args[i], value;
        bool hasValue = false;
        const std::size_t eq = name.find('=');
        if (name.rfind("--", 0) == 0 && eq != String::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasValue = true;
        }
        auto arg = [&]() -> String {
            if (hasValue) return value;
            if (i + 1 >= Args.size()) throw EDevSimError("Option " + name + " needs a value.");
            return Args[++i];
        };
        if (name == "--help" || name == "-h")
            cl.Help = true;
        else if (name == "--quiet")
            o.Quiet = true;
        else if (name == "--bind")
            o.BindAddress = BindAddress(arg());
        else if (name == "--port")
            o.Port = static_cast<Word>(ParseSimNumber(arg(), 0xFFFF, "port"));
        else if (name == "--device-id")
            o.Identity.DeviceID = static_cast<Word>(ParseSimNumber(arg(), 0xFFFF, "device ID"));
        else if (name == "--version")
            o.Version = ParseSimVersion(arg());
        else if (name == "--devid-register")
            o.DevIdRegister = ParseSimNumber(arg(), 0xFFFFFFFF, "device ID register");
        else if (name == "--settings")
            o.SettingsFile = arg();
        else if (name == "--target-index")
            o.TargetIndex = static_cast<Integer>(ParseSimNumber(arg(), 20, "target index"));
        else if (name == "--fault")
            o.Faults.push_back(ParseSimFault(arg()));
        else if (name == "--save-hex")
            o.SaveHexFile = arg();
        else
            throw EDevSimError("Unknown argument \"" + Args[i] + "\".");
        if (hasValue && (name == "--help" || name == "-h" || name == "--quiet"))
            throw EDevSimError("Option " + name + " takes no value.");
    }
    if (o.SettingsFile.empty() && o.TargetIndex != 0)
        throw EDevSimError(
            "--target-index needs --settings FILE (without it the device is a PIC32MX795F512L).");
    return cl;
}

void CheckDevSimFiles(const TDevSimOptions& Options) {
    if (!Options.SettingsFile.empty()) CheckSettingsFile(Options.SettingsFile, Options.TargetIndex);
    if (!Options.SaveHexFile.empty()) CheckSaveHexFile(Options.SaveHexFile);
}

String DevSimUsage() {
    return "Usage: devsim [--bind ADDR] [--port N] [--device-id N] [--version A.B.C.D]\n"
           "              [--devid-register N] [--settings FILE] [--target-index N]\n"
           "              [--fault SPEC]... [--save-hex FILE] [--quiet] [--help]\n"
           "\n"
           "A simulated PIC32 bootloader device that answers the host over UDP.\n"
           "\n"
           "  --bind ADDR          address to listen on (0.0.0.0)\n"
           "  --port N             UDP port (16388; 0 picks a free one)\n"
           "  --device-id N        the device's Device_ID (0x0001)\n"
           "  --version A.B.C.D    bootloader version it reports (3.2.1.2)\n"
           "  --devid-register N   device ID register it reports (the target's DeviceID)\n"
           "  --settings FILE      take the target from this Settings.ini [Known Devices]\n"
           "  --target-index N     which catalogue entry (0)\n"
           "  --fault SPEC         inject a fault (repeatable), see below\n"
           "  --save-hex FILE      on SIGINT/SIGTERM write the flash as Intel HEX\n"
           "  --quiet              no line per request on stdout\n"
           "  --help               this text\n"
           "\n"
           "Numbers are decimal or 0x-hex. Faults:\n" +
           SimFaultHelp();
}

} // namespace devsim
