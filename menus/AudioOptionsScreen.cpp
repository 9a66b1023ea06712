// AudioOptionsScreen: effects and music on/off and volumes, and the playlist's random order.
#include "menus/AudioOptionsScreen.h"

#include <GL/freeglut.h>

#include "framework/KeyCodes.h"
#include "framework/ScreenDispatch.h"
#include "menus/MainMenuScreen.h"
#include "menus/MenuButton.h"
#include "menus/MenuFrame.h"
#include "menus/OptionsMenuScreen.h"
#include "menus/Settings.h"
#include "render/BitmapFont.h"
#include "render/Texture.h"
#include "sound/SoundManager.h"

namespace {

constexpr int kVolumeStep = 10;
constexpr int kLoudest = 255;

// A 0..255 volume as the whole percent the player reads: 1/255 rounded to single precision,
// the product taken in double and truncated, so 255 shows 100 and 100 shows 39.
int percentOf(int volume) {
    return static_cast<int>(static_cast<double>(volume) * 0.003921568859368563 * 100.0);
}

}  // namespace

AudioOptionsScreen& AudioOptionsScreen::instance() {
    static AudioOptionsScreen screen;
    return screen;
}

AudioOptionsScreen::AudioOptionsScreen()
    : backButton_(MenuButton::create(100, 650, 64, 32, "retour2.bmp", "retour1.bmp")),
      effectsCheckBox_(MenuButton::create(100, 300, 16, 16, "check.bmp", "check.bmp")),
      effectsRightArrow_(MenuButton::create(500, 300, 16, 16, "fleched.bmp", "fleched.bmp")),
      effectsLeftArrow_(MenuButton::create(400, 300, 16, 16, "flecheg.bmp", "flecheg.bmp")),
      musicCheckBox_(MenuButton::create(100, 400, 16, 16, "check.bmp", "check.bmp")),
      musicRightArrow_(MenuButton::create(500, 400, 16, 16, "fleched.bmp", "fleched.bmp")),
      musicLeftArrow_(MenuButton::create(400, 400, 16, 16, "flecheg.bmp", "flecheg.bmp")),
      randomCheckBox_(MenuButton::create(100, 550, 16, 16, "check.bmp", "check.bmp")) {}

AudioOptionsScreen::~AudioOptionsScreen() = default;

void AudioOptionsScreen::display() {
    SoundManager& sound = SoundManager::instance();
    const Playlist& playlist = sound.playlist();
    // A playlist file whose tracks will not play is not announced as one that will.
    const bool playlistPlays = sound.musicFromPlaylist();
    menuframe::beginFrame(MainMenuScreen::instance().background());
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (playlistPlays) {
        menuframe::drawButtons(
            {backButton_.get(), effectsLeftArrow_.get(), effectsRightArrow_.get(),
             musicLeftArrow_.get(), musicRightArrow_.get(), effectsCheckBox_.get(),
             musicCheckBox_.get(), randomCheckBox_.get()},
            mouseX_, mouseY_);
    } else {
        menuframe::drawButtons(
            {backButton_.get(), effectsLeftArrow_.get(), effectsRightArrow_.get(),
             musicLeftArrow_.get(), musicRightArrow_.get(), effectsCheckBox_.get(),
             musicCheckBox_.get()},
            mouseX_, mouseY_);
    }
    BitmapFont& font = menuframe::beginTexts();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (sound.effectsEnabled()) {
        font.print(77, 234, "X");
    }
    font.print(93, 234, "Utiliser les effets");
    if (sound.musicState() != MusicState::Stopped) {
        font.print(77, 312, "X");
    }
    font.print(327, 234, "%d %c", percentOf(sound.effectsVolume()), '%');
    font.print(93, 312, "Utiliser la musique");
    font.print(327, 312, "%d %c", percentOf(sound.musicVolume()), '%');
    if (!playlist.isLoaded()) {
        font.print(70, 390, "Une playliste Winamp peut etre placee dans le repertoire ");
        font.print(70, 405, "ressource/playlist pour etre jouee pendant le jeux.");
        font.print(70, 421, "(attention a bien editer le fichier base_repertoire.txt)");
    } else if (playlistPlays) {
        font.print(70, 390, "une playlist Winamp valide a ete trouvee et va etre jouee");
        if (playlist.isRandom()) {
            font.print(77, 429, "X");
        }
        font.print(93, 429, "Playlist Winamp aleatoire");
    } else {
        font.print(70, 390, "aucune playlist Winamp jouable n'a ete trouvee");
        font.print(70, 405, "(attention a bien editer le fichier base_repertoire.txt)");
    }
    font.print(300, 150, "Gestion du son");
    menuframe::endTexts();
    menuframe::endFrame(mouseX_, mouseY_);
}

void AudioOptionsScreen::leave() {
    switchScreen(*this, OptionsMenuScreen::instance());
    // Saved at once, so a crash later never loses what the player just chose.
    saveConfig();
}

void AudioOptionsScreen::mouse(int, int state, int x, int y) {
    if (state != GLUT_DOWN) {
        return;
    }
    SoundManager& sound = SoundManager::instance();
    sound.playClick();
    if (backButton_->contains(x, y)) {
        leave();
    }
    // The manager clamps to 0..255, so the last step up lands on 255 and the last down on 0.
    if (effectsLeftArrow_->contains(x, y) && sound.effectsVolume() > 0) {
        sound.setEffectsVolume(sound.effectsVolume() - kVolumeStep);
    }
    if (effectsRightArrow_->contains(x, y) && sound.effectsVolume() < kLoudest) {
        sound.setEffectsVolume(sound.effectsVolume() + kVolumeStep);
    }
    if (musicLeftArrow_->contains(x, y) && sound.musicVolume() > 0) {
        sound.setMusicVolume(sound.musicVolume() - kVolumeStep);
    }
    if (musicRightArrow_->contains(x, y) && sound.musicVolume() < kLoudest) {
        sound.setMusicVolume(sound.musicVolume() + kVolumeStep);
    }
    if (effectsCheckBox_->contains(x, y)) {
        sound.setEffectsEnabled(!sound.effectsEnabled());
    }
    if (musicCheckBox_->contains(x, y)) {
        // The manager's switch is a toggle while music plays: on from silence, off otherwise.
        sound.setMusicEnabled(sound.musicState() == MusicState::Stopped);
    }
    // Not drawn without a playlist that plays, so not clickable either.
    Playlist& playlist = sound.playlist();
    if (sound.musicFromPlaylist() && randomCheckBox_->contains(x, y)) {
        playlist.setRandom(!playlist.isRandom());
    }
}

void AudioOptionsScreen::passiveMotion(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

void AudioOptionsScreen::keyboardUp(int key, int, int) {
    if (key == kEscapeKey) {
        leave();
    }
}
