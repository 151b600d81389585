#include "platform/rtl/SpecialFolders.h"
#include "platform/rtl/Classes.h"

#include <cstdlib>

namespace {

TSpecialFolderResolver& Resolver() {
    static TSpecialFolderResolver resolver;
    return resolver;
}

String Env(const char* Name) {
    const char* v = std::getenv(Name);
    return v ? String(v) : String();
}

String Home() {
    return Env("HOME");
}

// An XDG base folder: the variable when it names an absolute path, else the
// fallback below $HOME.
String BaseFolder(const char* Variable, const char* UnderHome) {
    String v = Env(Variable);
    if (!v.empty() && v[0] == '/') return v;
    return Home().empty() ? String() : Home() + "/" + UnderHome;
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" in user-dirs.dirs.
String UserDirsDocuments() {
    const String file = BaseFolder("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs";
    if (!FileExists(file)) return String();
    TStringList lines;
    try {
        lines.SetText(ReadFileText(file));
    } catch (const EFOpenError&) {
        return String();
    }
    for (Integer i = 0; i < lines.Count(); ++i) {
        const String line = Trim(lines[i]);
        const String key = "XDG_DOCUMENTS_DIR=";
        if (line.compare(0, key.size(), key) != 0) continue;
        String value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0) value = Home() + value.substr(5);
        return value.empty() || value[0] != '/' ? String() : value;
    }
    return String();
}

} // namespace

String DesktopSpecialFolderPath(Integer Csidl) {
    String folder;
    switch (Csidl) {
    case CSIDL_APPDATA:
        folder = BaseFolder("XDG_CONFIG_HOME", ".config");
        break;
    case CSIDL_LOCAL_APPDATA:
        folder = BaseFolder("XDG_DATA_HOME", ".local/share");
        break;
    case CSIDL_PERSONAL:
        folder = Env("XDG_DOCUMENTS_DIR");
        if (folder.empty() || folder[0] != '/') folder = UserDirsDocuments();
        if (folder.empty() && !Home().empty()) folder = Home() + "/Documents";
        break;
    case CSIDL_COMMON_APPDATA: {
        const String dirs = Env("XDG_CONFIG_DIRS");
        folder = dirs.substr(0, dirs.find(':'));
        if (folder.empty() || folder[0] != '/') folder = "/etc/xdg";
        break;
    }
    default:
        return String();
    }
    return folder.empty() ? String() : IncludeTrailingPathDelimiter(folder);
}

String SpecialFolderPath(Integer Csidl) {
    if (Resolver()) {
        const String folder = Resolver()(Csidl);
        return folder.empty() ? folder : IncludeTrailingPathDelimiter(folder);
    }
    return DesktopSpecialFolderPath(Csidl);
}

TSpecialFolderResolver SetSpecialFolderResolver(TSpecialFolderResolver Resolver_) {
    TSpecialFolderResolver old = std::move(Resolver());
    Resolver() = std::move(Resolver_);
    return old;
}
