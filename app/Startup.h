// Startup: the platform steps of start-up (game window, key repeat).
#pragma once

namespace startup {

// Enters full-screen game mode at 1024x768:32@85. Where that is impossible (virtual displays,
// many desktops) a window takes its place, so the game always runs: it opens at 1024 x 768 at the
// top-left corner, and the caller has it go full screen once it shows
// (gamewindow::enterFullScreen). Returns true when real game mode was entered.
bool openGameWindow();

// Asks the X server to send a held key as repeated presses without made-up releases, so that
// repeats can be told from new presses (see KeyRepeatFilter), and has GLUT ignore the pairs it
// can recognise where the server cannot do that. Call with the game window current.
void ignoreKeyRepeat();

// Leaves game mode if it was entered; harmless otherwise.
void closeGameWindow();

}  // namespace startup
