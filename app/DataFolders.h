// DataFolders: where the game finds its art and keeps its settings, chosen from plain facts.
#pragma once

#include <functional>
#include <string>
#include <vector>

// What start-up knows about the process. Folders are absolute; a value that is unknown, unset
// or not absolute is empty.
struct GameEnvironment {
    std::string currentFolder;
    std::string executableFolder;
    std::string home;           // $HOME
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME
};

// Questions about the file system: asked of the real one at start-up, of fakes in tests.
struct FolderFacts {
    std::function<bool(const std::string& folder)> holdsArt;  // folder/ressources is a folder
    std::function<bool(const std::string& folder)> writable;  // files can be created there
    std::function<bool(const std::string& file)> exists;      // a regular file
};

class DataFolders {
public:
    // Where an install keeps the art, and the same folder seen from the installed executable's
    // folder (so a copy installed under another prefix still finds its own).
    static const char* const kInstalledArtFolder;
    static const char* const kInstalledArtFromExecutable;

    DataFolders(GameEnvironment environment, FolderFacts facts);
    // The running process: its folders and environment, and the real file system.
    static DataFolders ofThisProcess(const char* argv0);

    // The folders that may hold ressources/, in the order tried, without repeats: the current
    // folder (a build or portable copy started in place), the executable's folder, the install
    // seen from the executable, the compiled-in install folder.
    std::vector<std::string> artCandidates() const;
    // The first candidate holding the art; empty when none does.
    std::string artFolder() const;
    // The settings file for art in artFolder: config.cfg beside the art when the game runs
    // portably there (the folder is writable and either already holds a config.cfg or is the
    // current folder), otherwise zorblat/config.cfg in the user's configuration folder. Empty
    // when there is no such place (HOME unset).
    std::string configPath(const std::string& artFolder) const;

    // Start-up: finds the art and changes into its folder, so every loader's relative
    // ressources/ path works, and chooses the settings file (absolute, or empty when settings
    // cannot be kept). Says on stderr what went wrong: false when the art is nowhere.
    bool enterArtFolder(std::string& configPath) const;

private:
    GameEnvironment environment_;
    FolderFacts facts_;
};
