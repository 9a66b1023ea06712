// DataFolders: the search for ressources/ and the choice of the settings file.
#include "app/DataFolders.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

#ifndef ZORBLAT_INSTALLED_ART_FOLDER
#define ZORBLAT_INSTALLED_ART_FOLDER "/usr/local/share/games/zorblat"
#endif
#ifndef ZORBLAT_INSTALLED_ART_FROM_EXECUTABLE
#define ZORBLAT_INSTALLED_ART_FROM_EXECUTABLE "../share/games/zorblat"
#endif

const char* const DataFolders::kInstalledArtFolder = ZORBLAT_INSTALLED_ART_FOLDER;
const char* const DataFolders::kInstalledArtFromExecutable = ZORBLAT_INSTALLED_ART_FROM_EXECUTABLE;

namespace {

const char kConfigName[] = "config.cfg";

bool isAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

// A relative value is of no use once start-up has changed folder (and XDG says to ignore it).
std::string absoluteOrEmpty(const char* value) {
    return value != nullptr && isAbsolute(value) ? std::string(value) : std::string();
}

std::string joined(const std::string& folder, const std::string& name) {
    std::string path = std::filesystem::path(folder + "/" + name).lexically_normal().string();
    // "a/b/" and "a/b" are the same folder; keep the root as it is.
    if (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string currentFolder() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

std::string executableFolder(const char* argv0) {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    std::string path;
    if (n > 0) {
        path.assign(buffer, static_cast<size_t>(n));
    } else if (argv0 != nullptr && realpath(argv0, buffer) != nullptr) {
        path = buffer;
    }
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash ? slash : 1);
}

bool isFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

DataFolders::DataFolders(GameEnvironment environment, FolderFacts facts)
    : environment_(std::move(environment)), facts_(std::move(facts)) {}

DataFolders DataFolders::ofThisProcess(const char* argv0) {
    GameEnvironment environment;
    environment.currentFolder = currentFolder();
    environment.executableFolder = executableFolder(argv0);
    environment.home = absoluteOrEmpty(getenv("HOME"));
    environment.xdgConfigHome = absoluteOrEmpty(getenv("XDG_CONFIG_HOME"));
    FolderFacts facts;
    facts.holdsArt = [](const std::string& folder) { return isFolder(folder + "/ressources"); };
    facts.writable = [](const std::string& folder) { return access(folder.c_str(), W_OK) == 0; };
    facts.exists = isFile;
    return DataFolders(std::move(environment), std::move(facts));
}

std::vector<std::string> DataFolders::artCandidates() const {
    std::vector<std::string> found;
    auto add = [&found](const std::string& folder) {
        if (!folder.empty() && std::find(found.begin(), found.end(), folder) == found.end()) {
            found.push_back(folder);
        }
    };
    add(environment_.currentFolder);
    add(environment_.executableFolder);
    if (!environment_.executableFolder.empty()) {
        add(joined(environment_.executableFolder, kInstalledArtFromExecutable));
    }
    add(kInstalledArtFolder);
    return found;
}

std::string DataFolders::artFolder() const {
    for (const std::string& folder : artCandidates()) {
        if (facts_.holdsArt(folder)) {
            return folder;
        }
    }
    return std::string();
}

std::string DataFolders::configPath(const std::string& artFolder) const {
    const std::string beside = joined(artFolder, kConfigName);
    if (facts_.writable(artFolder) &&
        (facts_.exists(beside) || artFolder == environment_.currentFolder)) {
        return beside;
    }
    // The user's configuration folder: $XDG_CONFIG_HOME, or ~/.config by default.
    std::string base = environment_.xdgConfigHome;
    if (base.empty() && !environment_.home.empty()) {
        base = environment_.home + "/.config";
    }
    return base.empty() ? std::string() : joined(base, std::string("zorblat/") + kConfigName);
}

bool DataFolders::enterArtFolder(std::string& configFile) const {
    const std::string art = artFolder();
    if (art.empty() || chdir(art.c_str()) != 0) {
        std::string places;
        for (const std::string& folder : artCandidates()) {
            places += "\n  " + joined(folder, "ressources");
        }
        std::fprintf(stderr, "zorblat: the game's art (a ressources folder) was not found in:%s\n",
                     places.c_str());
        return false;
    }
    configFile = configPath(art);
    if (configFile.empty()) {
        std::fprintf(stderr,
                     "zorblat: neither HOME nor XDG_CONFIG_HOME is set: settings will not be "
                     "saved\n");
    }
    return true;
}
