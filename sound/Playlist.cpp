// Playlist: the player's Winamp M3U playlist, handing out one track path at a time.
#include "sound/Playlist.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// Splits text into lines the way the playlist files are read: a line ends at a line feed, a
// carriage return right before it is dropped (CR LF files read like LF files), backslashes
// become slashes, and a last line without a line feed still counts. Text ending in a line feed
// has no extra empty line after it.
template <typename LineFn>
void forEachLine(std::string_view text, LineFn onLine) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool hasFeed = end != std::string_view::npos;
        if (!hasFeed) {
            end = text.size();
        }
        std::string line(text.substr(start, end - start));
        if (hasFeed && !line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        for (char& c : line) {
            if (c == '\\') {
                c = '/';
            }
        }
        onLine(line);
        start = end + 1;
    }
}

bool readWholeFile(const std::string& path, std::string& out) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

Playlist::Playlist() : baseDirectory_("z:/mp3/") {}

Playlist::~Playlist() = default;

void Playlist::readBaseDirectory(const std::string& path) {
    std::string text;
    if (readWholeFile(path, text)) {
        parseBaseDirectory(text);
    }
}

void Playlist::readM3u(const std::string& path) {
    std::string text;
    if (!readWholeFile(path, text)) {
        loaded_ = false;
        return;
    }
    parseM3u(text);
}

void Playlist::parseBaseDirectory(std::string_view text) {
    forEachLine(text, [this](const std::string& line) {
        if (!line.empty()) {
            baseDirectory_ = line + '/';
        }
    });
}

void Playlist::parseM3u(std::string_view text) {
    forEachLine(text, [this](const std::string& line) {
        // '#' starts the M3U header and the extended-information lines. An empty line is an
        // entry all the same: the base directory alone.
        if (line.empty() || line[0] != '#') {
            entries_.push_back(baseDirectory_ + line);
        }
    });
    loaded_ = true;
}

std::string Playlist::nextTrack() {
    const int n = static_cast<int>(entries_.size());
    if (n == 0) {
        currentIndex_ = -1;
        return std::string();
    }
    if (random_) {
        const double factor = std::fabs(std::cos(static_cast<double>(std::rand())));
        currentIndex_ = static_cast<int>(factor * n);
        if (currentIndex_ >= n) {
            currentIndex_ = n - 1;
        }
    } else {
        currentIndex_ = currentIndex_ + 1 >= n ? 0 : currentIndex_ + 1;
    }
    return entries_[currentIndex_];
}
