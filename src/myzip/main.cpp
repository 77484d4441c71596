// myzip "archive,folder/*.*": packs every file under the folder (sub-folders
// included, names relative to the folder, empty files and empty folders too)
// into a deflated ZIP archive. The archive is written under a temporary name
// and renamed when complete.
//
// Exit codes: 0 written, 2 bad argument, 3 read or write error, 12 nothing to pack.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "PackerArgument.h"
#include "ZipWriter.h"
#include "core/Files.h"

namespace fs = std::filesystem;

namespace {

struct Entry {
    std::string name;  ///< relative, "/" between folders
    std::string path;
    bool folder = false;
    bool operator<(const Entry& other) const { return name < other.name; }
};
using FileList = std::vector<Entry>;

bool IsEmptyFolder(const fs::path& folder) {
    std::error_code ec;
    return fs::directory_iterator(folder, ec) == fs::directory_iterator() && !ec;
}

/// Regular files under `folder` whose names match the pattern, and the empty
/// folders under it, sorted by name.
bool CollectFiles(const myzip::PackerArgument& argument, FileList& files, std::string& error) {
    std::error_code ec;
    const fs::path root(argument.folder);
    if (fs::is_regular_file(root, ec)) {
        files.push_back({root.filename().string(), root.string()});
        return true;
    }
    if (!fs::is_directory(root, ec)) {
        error = argument.folder + ": no such folder";
        return false;
    }
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().lexically_relative(root).generic_string();
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            if (!it->is_symlink(typeError) && IsEmptyFolder(it->path()))
                files.push_back({name + "/", it->path().string(), true});
            continue;
        }
        if (!it->is_regular_file(typeError)) continue;
        if (!arc::MatchesPattern(it->path().filename().string(), argument.pattern)) continue;
        files.push_back({name, it->path().string()});
    }
    if (ec) {
        error = argument.folder + ": " + ec.message();
        return false;
    }
    std::sort(files.begin(), files.end());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: myzip \"archive.zip,folder/*.*\"\n";
        return 2;
    }
    const std::optional<myzip::PackerArgument> argument = myzip::ParsePackerArgument(argv[1]);
    if (!argument) {
        std::cerr << "myzip: expected \"archive.zip,folder/*.*\", got \"" << argv[1] << "\"\n";
        return 2;
    }
    FileList files;
    std::string error;
    if (!CollectFiles(*argument, files, error)) {
        std::cerr << "myzip: " << error << '\n';
        return 3;
    }
    if (files.empty()) {
        std::cerr << "myzip: nothing to pack in " << argument->folder << '\n';
        return 12;
    }

    const fs::path archive(argument->archive);
    std::error_code ec;
    if (archive.has_parent_path()) fs::create_directories(archive.parent_path(), ec);
    std::string temporary = argument->archive + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        std::perror(("myzip: " + argument->archive).c_str());
        return 3;
    }
    ::close(fd);

    myzip::ZipWriter writer;
    bool ok = writer.Create(temporary);
    for (std::size_t i = 0; ok && i < files.size(); ++i)
        ok = files[i].folder ? writer.AddFolder(files[i].path, files[i].name)
                             : writer.AddFile(files[i].path, files[i].name);
    ok = ok && writer.Finish();
    if (ok) {
        // mkstemp made the file private; give it the usual mode.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        fs::permissions(temporary, static_cast<fs::perms>(0666 & ~mask), ec);
        if (std::rename(temporary.c_str(), argument->archive.c_str()) != 0) {
            std::perror(("myzip: " + argument->archive).c_str());
            ok = false;
        }
    } else {
        std::cerr << "myzip: " << writer.error() << '\n';
    }
    if (!ok) {
        std::remove(temporary.c_str());
        return 3;
    }
    return 0;
}
