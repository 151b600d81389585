#pragma once
// File helpers for tests of programs that work with files and folders.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <stdlib.h>
#include <string>

namespace testfiles {

namespace fs = std::filesystem;

// A fresh folder below the system's temporary folder, removed with the object.
class TScratchFolder {
public:
    TScratchFolder() {
        std::string tmpl = (fs::temp_directory_path() / "quenta-test-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        FPath = fs::canonical(tmpl);
    }
    ~TScratchFolder() {
        std::error_code ec;
        fs::permissions(FPath, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(FPath, ec);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const fs::path& Path() const { return FPath; }
    std::string operator/(const std::string& Name) const { return (FPath / Name).string(); }

private:
    fs::path FPath;
};

inline std::string ReadAll(const fs::path& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const fs::path& File, const std::string& Data) {
    std::ofstream(File, std::ios::binary | std::ios::trunc) << Data;
}

// The names in a folder (links included, not followed).
inline std::set<std::string> Names(const fs::path& Folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace testfiles
