// MidiFileCheck: tells a complete, playable Standard MIDI File from a broken one.
#pragma once

#include <string_view>

namespace midicheck {

// True when `bytes` is a Standard MIDI File whose header and every track chunk are complete,
// whose events all parse and end each track with its end-of-track event, and which lasts at
// least one tick. The mixer loops the song for ever: a file that ends at once (cut short, no
// notes, unreadable events) would have it restart the song in a tight loop, flooding stderr
// and starving the game of the audio lock.
bool playable(std::string_view bytes);

}  // namespace midicheck
