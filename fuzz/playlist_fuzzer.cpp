// playlist_fuzzer: the playlist readers on arbitrary text, then tracks handed out in both orders.
// seeds: m3u txt
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sound/Playlist.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The first line, if any, doubles as a base directory file; the whole input is the playlist.
    const std::size_t feed = text.find('\n');
    Playlist playlist;
    playlist.parseBaseDirectory(text.substr(0, feed == std::string_view::npos ? 0 : feed + 1));
    playlist.parseM3u(text);

    const int count = static_cast<int>(playlist.entries().size());
    std::srand(static_cast<unsigned>(size));
    for (int i = 0; i < 8; ++i) {
        playlist.setRandom(i % 3 == 0);
        const std::string track = playlist.nextTrack();
        if (count == 0 ? !track.empty() || playlist.currentIndex() != -1
                       : playlist.currentIndex() < 0 || playlist.currentIndex() >= count ||
                             track != playlist.entries()[playlist.currentIndex()]) {
            std::abort();
        }
    }
    return 0;
}
