// MenuPictures: the intro and goodbye pictures and the background of every menu.
#include <cmath>
#include <functional>

#include "render/AssetNames.h"
#include "tools/assetgen/CartoonOtter.h"
#include "tools/assetgen/InterfacePictures.h"
#include "tools/assetgen/NightScenery.h"

namespace assetgen {

namespace {

const Rgb kInk = rgb(22, 14, 44);

// Full-screen pictures are laid out for the 1024 x 768 screen, painted at twice that size and
// filtered down into a square power-of-two texture: the game stretches the whole texture over
// the 4:3 screen, which gives back the proportions painted here.
bool writeScreenPicture(const std::string& path, int keyR, int keyG, int keyB,
                        const std::function<void(Painter&)>& paint) {
    Canvas big(2048, 1536);
    Painter painter(big, 2.0f);
    paint(painter);
    return writeAvoidingKey(resampleArea(big, 1024, 1024), path, keyR, keyG, keyB);
}

TextLook titleLook(float size) {
    TextLook look;
    look.top = rgb(255, 240, 120);
    look.bottom = rgb(250, 140, 40);
    look.outline = kInk;
    look.outlineWidth = size * 0.055f;
    look.shadowOffset = size * 0.05f;
    look.shadowBlur = size * 0.03f;
    look.shadowOpacity = 0.6f;
    return look;
}

TextLook captionLook(float size) {
    TextLook look;
    look.top = rgb(255, 255, 255);
    look.bottom = rgb(226, 230, 255);
    look.outline = kInk;
    look.outlineWidth = size * 0.1f;
    look.shadowOffset = size * 0.06f;
    look.shadowBlur = size * 0.04f;
    look.shadowOpacity = 0.5f;
    return look;
}

// The loading bar of the intro: a striped track, most of the way full.
void paintLoadingBar(Painter& p, TextRaster& bold) {
    const float x0 = 382.0f, x1 = 642.0f, y0 = 692.0f, y1 = 716.0f;
    p.text(bold, U"Chargement...", 26.0f, 512.0f, 742.0f, captionLook(26.0f));
    p.roundedRect(x0 - 4.0f, y0 - 4.0f, x1 + 4.0f, y1 + 4.0f, 16.0f, kInk, kInk);
    p.roundedRect(x0, y0, x1, y1, 12.0f, rgb(26, 22, 60), rgb(44, 36, 90));
    const float fill = x0 + (x1 - x0) * 0.72f;
    p.roundedRect(x0, y0, fill, y1, 12.0f, rgb(255, 214, 90), rgb(236, 118, 30));
    for (float x = x0 + 6.0f; x < fill - 14.0f; x += 18.0f) {
        p.polygon(
            {{x, y1 - 2.0f}, {x + 8.0f, y1 - 2.0f}, {x + 16.0f, y0 + 2.0f}, {x + 8.0f, y0 + 2.0f}},
            rgb(255, 244, 190), 0.35f);
    }
    p.roundedRect(x0 + 6.0f, y0 + 3.0f, fill - 6.0f, y0 + 9.0f, 3.0f, rgb(255, 255, 255),
                  rgb(255, 255, 255), 0.3f);
}

void paintFirstMenu(Painter& p, TextRaster& bold) {
    SkyLook sky{rgb(8, 8, 34), rgb(74, 44, 112), 480.0f, 220, 1.0f, 0.06f, 11};
    paintSky(p, sky);
    paintMoon(p, 872.0f, 118.0f, 54.0f);
    SkylineLook city{520.0f, 60.0f, 170.0f, rgb(30, 24, 60), 0.9f, 10000.0f, 12};
    paintSkyline(p, city);
    paintTower(p, 150.0f, 520.0f, 96.0f, 330.0f, rgb(22, 18, 48));
    paintPark(p, 515.0f, 13);
    paintTree(p, 36.0f, 610.0f, 230.0f, 1);
    paintTree(p, 992.0f, 620.0f, 250.0f, 2);
    paintLamp(p, 338.0f, 600.0f, 120.0f);
    paintLamp(p, 688.0f, 600.0f, 120.0f);

    p.glow(512.0f, 220.0f, 420.0f, rgb(110, 70, 190), 0.35f);
    p.text(bold, U"Zorblat", 176.0f, 512.0f, 210.0f, titleLook(176.0f));
    p.text(bold, U"Les loutres attaquent !", 34.0f, 512.0f, 330.0f, captionLook(34.0f));

    OtterPose left;
    left.x = 200.0f, left.y = 730.0f, left.height = 270.0f;
    left.leftArm = 25.0f, left.rightArm = 35.0f, left.lean = -4.0f, left.tailOnLeft = true;
    paintOtter(p, left);
    OtterPose right;
    right.x = 830.0f, right.y = 730.0f, right.height = 270.0f;
    right.leftArm = 30.0f, right.rightArm = 125.0f, right.lean = 5.0f, right.mouthOpen = true;
    paintOtter(p, right);
    paintLoadingBar(p, bold);
    // A little otter rides the front of the loading bar.
    OtterPose rider;
    rider.x = 572.0f, rider.y = 690.0f, rider.height = 78.0f;
    rider.leftArm = 35.0f, rider.rightArm = 125.0f, rider.lean = 4.0f;
    paintOtter(p, rider);
}

void paintLastMenu(Painter& p, TextRaster& bold) {
    SkyLook sky{rgb(12, 8, 40), rgb(126, 66, 118), 500.0f, 180, 0.9f, 0.07f, 21};
    paintSky(p, sky);
    paintMoon(p, 160.0f, 120.0f, 46.0f);
    SkylineLook city{535.0f, 50.0f, 150.0f, rgb(34, 24, 60), 0.6f, 10000.0f, 22};
    paintSkyline(p, city);
    paintTower(p, 880.0f, 535.0f, 90.0f, 300.0f, rgb(26, 18, 50));
    paintPark(p, 530.0f, 23);
    paintTree(p, 40.0f, 640.0f, 240.0f, 3);
    paintTree(p, 988.0f, 630.0f, 220.0f, 4);

    p.glow(512.0f, 215.0f, 420.0f, rgb(150, 70, 170), 0.35f);
    p.text(bold, U"Au revoir !", 150.0f, 512.0f, 200.0f, titleLook(150.0f));
    p.text(bold, U"Merci d'avoir jou\u00e9 \u00e0 Zorblat", 40.0f, 512.0f, 318.0f,
           captionLook(40.0f));
    for (const Point& s : {Point{60.0f, 290.0f}, Point{700.0f, 80.0f}, Point{975.0f, 250.0f},
                           Point{150.0f, 360.0f}, Point{420.0f, 90.0f}}) {
        p.sparkle(s.x, s.y, 5.0f, rgb(255, 236, 170));
    }

    OtterPose left;
    left.x = 250.0f, left.y = 720.0f, left.height = 240.0f;
    left.leftArm = 20.0f, left.rightArm = 125.0f, left.lean = -5.0f, left.tailOnLeft = true;
    OtterPose middle;
    middle.x = 512.0f, middle.y = 740.0f, middle.height = 280.0f;
    middle.leftArm = 120.0f, middle.rightArm = 130.0f, middle.mouthOpen = true;
    OtterPose right;
    right.x = 774.0f, right.y = 720.0f, right.height = 240.0f;
    right.leftArm = 125.0f, right.rightArm = 25.0f, right.lean = 6.0f;
    paintOtter(p, left);
    paintOtter(p, right);
    paintOtter(p, middle);
}

// The menus print white text almost anywhere on this picture, so its middle stays a calm,
// dark night; the brighter things (moon, lit windows, trees) keep to the edges.
void paintMenuBackground(Painter& p) {
    SkyLook sky{rgb(10, 8, 30), rgb(30, 20, 64), 768.0f, 140, 0.32f, 0.05f, 31};
    paintSky(p, sky);
    paintMoon(p, 962.0f, 50.0f, 28.0f);
    SkylineLook city{768.0f, 36.0f, 96.0f, rgb(9, 8, 24), 0.55f, 735.0f, 32};
    paintSkyline(p, city);
    paintTree(p, 18.0f, 800.0f, 260.0f, 5, 0.55f);
    paintTree(p, 1010.0f, 800.0f, 280.0f, 6, 0.55f);
}

}  // namespace

bool writeMenuPictures(const std::string& dir, TextRaster& bold) {
    // The intro and goodbye pictures load with the blue key and the background with the grey
    // one; none of them uses alpha, but an exact match is still avoided.
    bool ok = writeScreenPicture(dir + assetnames::inTextures(assetnames::kIntroPicture), 0, 0, 255,
                                 [&](Painter& p) { paintFirstMenu(p, bold); });
    ok = writeScreenPicture(dir + assetnames::inTextures(assetnames::kGoodbyePicture), 0, 0, 255,
                            [&](Painter& p) { paintLastMenu(p, bold); }) &&
         ok;
    ok = writeScreenPicture(dir + assetnames::inTextures(assetnames::kMenuBackground), 192, 192,
                            192, [&](Painter& p) { paintMenuBackground(p); }) &&
         ok;
    return ok;
}

}  // namespace assetgen
