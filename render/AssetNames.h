// AssetNames: every file of the art folder by name, shared by the loaders and the generator.
#pragma once

namespace assetnames {

// The art folder as the game opens it, from the folder it entered at start-up. Every name below
// starts with it; the generator writes each file at the same place below its output folder.
constexpr char kFolder[] = "./ressources/";
constexpr char kTextureFolder[] = "./ressources/textures/";

// The part of path below folder (path itself when it does not start with folder).
constexpr const char* below(const char* path, const char* folder) {
    const char* rest = path;
    for (; *folder != '\0'; ++folder, ++rest) {
        if (*rest != *folder) {
            return path;
        }
    }
    return rest;
}
// What the generator and the sound manager join to their own art folder.
constexpr const char* inFolder(const char* path) { return below(path, kFolder); }
constexpr const char* inTextures(const char* path) { return below(path, kTextureFolder); }

// Intro, menus and the goodbye picture.
constexpr char kIntroPicture[] = "./ressources/textures/firstMenu.bmp";
constexpr char kGoodbyePicture[] = "./ressources/textures/lastMenu.bmp";
constexpr char kMenuBackground[] = "./ressources/textures/fond_menu.bmp";
constexpr char kFont[] = "./ressources/textures/Font.bmp";
constexpr char kCursor[] = "./ressources/textures/mouse.bmp";
// Buttons, arrows and check boxes, each by its own name in this folder.
constexpr char kWidgetFolder[] = "./ressources/textures/ihm/";
constexpr char kTitleModel[] = "./ressources/models/VRK.obj";
constexpr char kTitleSkin[] = "./ressources/textures/VRK.bmp";
constexpr char kWindowIcon[] = "./ressources/textures/icone.bmp";

// The world, its HUD and its effects.
constexpr char kGround[] = "./ressources/textures/sol.bmp";
constexpr char kLightMap[] = "./ressources/textures/lightmap2.bmp";
constexpr char kToonRamp[] = "./ressources/textures/toon.bmp";
constexpr char kGlowRamp[] = "./ressources/textures/toon_glow.bmp";
constexpr char kParticle[] = "./ressources/textures/particle.bmp";
constexpr char kBlood[] = "./ressources/textures/blood.bmp";
constexpr char kCrosshair[] = "./ressources/textures/crosshair.bmp";
constexpr char kMuzzleFlash[] = "./ressources/textures/fire.bmp";
constexpr char kRadar[] = "./ressources/textures/HUD/radar.bmp";
constexpr char kRadarDot[] = "./ressources/textures/HUD/point.bmp";
constexpr char kRadarSweep[] = "./ressources/textures/HUD/balayeur.bmp";
constexpr char kSkyBoxFolder[] = "./ressources/textures/skybox";

// Models and their skins.
constexpr char kOtterModel[] = "./ressources/models/loutre.obj";
constexpr char kLowOtterModel[] = "./ressources/models/loutre_low.obj";
constexpr char kOtterSkin[] = "./ressources/textures/loutre.bmp";
constexpr char kBuildingModel[] = "./ressources/models/immeuble.obj";
constexpr char kBuildingSkin[] = "./ressources/textures/immeuble.bmp";
constexpr char kWeaponModel[] = "./ressources/models/arme.obj";
constexpr char kWeaponSkin[] = "./ressources/textures/arme.bmp";

// Sounds and music.
constexpr char kShotSound[] = "./ressources/sons/detonation.ogg";
constexpr char kExplosionSound[] = "./ressources/sons/boom.ogg";
constexpr char kClickSound[] = "./ressources/sons/clic.ogg";
constexpr int kOtterCryCount = 3;
constexpr const char* kOtterCries[kOtterCryCount] = {"./ressources/sons/loutre1.wav",
                                                     "./ressources/sons/loutre2.wav",
                                                     "./ressources/sons/loutre3.wav"};
constexpr char kSong[] = "./ressources/sons/musique.mid";
// The player's own playlist, never generated: where its files are, and the list itself.
constexpr char kPlaylistBaseFolder[] = "./ressources/playlist/base_repertoire.txt";
constexpr char kPlaylist[] = "./ressources/playlist/playlist.m3u";

}  // namespace assetnames
