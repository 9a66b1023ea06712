// GameAssembly: the order the game's screens and services are built in, and how they meet.
#include "app/GameAssembly.h"

#include "framework/SingleInstance.h"
#include "game/GameScreen.h"
#include "menus/ExitScreen.h"
#include "menus/GameOptionsScreen.h"
#include "menus/MainMenuScreen.h"
#include "menus/ResultsScreen.h"
#include "menus/Settings.h"
#include "menus/VideoOptionsScreen.h"
#include "sound/SoundManager.h"

namespace {

// Where the game goes when it is left: the menus sit above it, so the game only holds these.
Screen& mainMenuForGame() { return MainMenuScreen::instance(); }

Screen& resultsForGame(int score, int precisionPercent, int kills) {
    ResultsScreen& results = ResultsScreen::instance();
    results.setScore(score);
    results.setPrecision(precisionPercent);
    results.setOtterKills(kills);
    return results;
}

}  // namespace

namespace gameassembly {

MainMenuScreen& buildScreens() {
    if (SingleInstance<MainMenuScreen>::built()) {
        return MainMenuScreen::instance();
    }
    GameScreen& game = GameScreen::instance();
    GameOptionsScreen& gameOptions = SingleInstance<GameOptionsScreen>::build(game);
    MainMenuScreen& menu = SingleInstance<MainMenuScreen>::build(game);
    // After the menu's otters: both draw on the C random numbers, and the otters have always
    // had theirs first.
    SoundManager::instance();
    ExitScreen::instance();
    // The game's settings and its end are shown by these, built on the game they speak for.
    SingleInstance<VideoOptionsScreen>::build(game);
    SingleInstance<ResultsScreen>::build(game);
    game.setExits(&mainMenuForGame, &resultsForGame);
    // Last: the settings are pushed into the game, the sound and the game options.
    loadConfig(game, gameOptions);
    return menu;
}

MainMenuScreen& buildScreens(Screen** slot) {
    MainMenuScreen& menu = buildScreens();
    menu.screenSlot = slot;
    GameScreen::instance().screenSlot = slot;
    ExitScreen::instance().screenSlot = slot;
    return menu;
}

}  // namespace gameassembly
