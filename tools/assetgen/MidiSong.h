// MidiSong: the game's music, an original upbeat General MIDI loop, written as a MIDI file.
#pragma once

#include <string>

namespace assetgen {

bool writeMusic(const std::string& path);

}  // namespace assetgen
