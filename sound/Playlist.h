// Playlist: the player's Winamp M3U playlist, handing out one track path at a time.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class Playlist {
public:
    Playlist();
    virtual ~Playlist();

    // The base directory put in front of every entry: the file's last non-empty line plus a
    // slash. A file that cannot be opened leaves the base unchanged ("z:/mp3/" at first).
    void readBaseDirectory(const std::string& path);
    // Appends the playlist's entries; the playlist counts as loaded once the file opened,
    // even when it holds no entry.
    void readM3u(const std::string& path);

    // The same two readers on text already in memory.
    void parseBaseDirectory(std::string_view text);
    void parseM3u(std::string_view text);

    bool isLoaded() const { return loaded_; }
    void setRandom(bool random) { random_ = random; }
    bool isRandom() const { return random_; }

    // The next track's path, at random or after the last one handed out. An empty playlist
    // gives an empty path, which opens nothing.
    std::string nextTrack();

    const std::vector<std::string>& entries() const { return entries_; }
    const std::string& baseDirectory() const { return baseDirectory_; }
    int currentIndex() const { return currentIndex_; }

private:
    std::vector<std::string> entries_;
    std::string baseDirectory_;
    bool random_ = false;
    int currentIndex_ = -1;
    bool loaded_ = false;
};
