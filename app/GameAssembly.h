// GameAssembly: builds the screens and services behind the intro, in one order, and wires them.
#pragma once

class MainMenuScreen;
class Screen;

namespace gameassembly {

// Builds, in this order: the game screen, the game options (set up on the game), the main
// menu (on the game), the sound manager and the exit screen; then gives the game its ways out
// (main menu, results) and loads the settings into everything built. Needs the GL context.
// Each screen built here switches through slot. A second call builds nothing and returns the
// same main menu. Destruction at exit runs in the reverse order.
MainMenuScreen& buildScreens(Screen** slot);

// The same for tests and tools that drive screens directly: the screens' slots stay unset.
MainMenuScreen& buildScreens();

}  // namespace gameassembly
