// fontsheet: renders every text the player sees, and the whole character set, with the game's
// font into one PNG for review. Usage: fontsheet FONT.bmp OUT.png (needs an X display).
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "render/BitmapFont.h"
#include "render/Texture.h"

extern char** environ;

namespace {

// The font is laid out on its 800 x 600 virtual screen, which the window shows 1:1.
constexpr int kPageWidth = 800;
constexpr int kPageHeight = 600;
constexpr int kMargin = 10;

struct Colour {
    float r, g, b;
};
constexpr Colour kWhite{1.0f, 1.0f, 1.0f};
constexpr Colour kHeading{0.45f, 0.6f, 0.85f};

// One line of the sheet. `large` lines use the results screen's 422 x 316 virtual screen.
struct Line {
    std::string text;
    Colour colour;
    bool large;
};

std::string format(const char* fmt, int value) {
    char buffer[256];
    std::snprintf(buffer, sizeof(buffer), fmt, value);
    return buffer;
}

void heading(std::vector<Line>& lines, const char* title) {
    lines.push_back({"", kWhite, false});
    lines.push_back({title, kHeading, false});
}

// Every text the game prints, with sample values, in the colours it prints them in.
std::vector<Line> gameTexts() {
    std::vector<Line> lines;
    heading(lines, "-- HUD (800 x 600) --");
    lines.push_back({format("score : %d", 1250), kWhite, false});
    lines.push_back({format("vie   : %d", 9), kWhite, false});
    lines.push_back({"WARNING", {1.0f, 0.75f, 0.5f}, false});

    heading(lines, "-- Results screen (422 x 316, then 800 x 600) --");
    lines.push_back({format("Score           : %d", 1250), kWhite, true});
    lines.push_back({format("Loutre detruite : %d", 42), kWhite, true});
    lines.push_back({format("Precision       : %d %%", 100), kWhite, true});
    for (const char* level :
         {"Trop facile", "Facile", "Normale", "Difficile", "Tres difficile", "Impossible"}) {
        lines.push_back({std::string("Difficulte      : ") + level, kWhite, true});
    }
    lines.push_back({"echape pour retourner au menu", kWhite, false});

    heading(lines, "-- Main menu --");
    lines.push_back({"Zorblat 1.2", {0.5f, 0.25f, 0.25f}, false});

    heading(lines, "-- Game options --");
    for (const char* text : {"Options du jeu", "Difficulte", "Inverser souris", "X",
                             "Attention, changer la difficulte relancera la partie en cours",
                             "Sensibilitee de la souris"}) {
        lines.push_back({text, kWhite, false});
    }
    struct Level {
        const char* name;
        const char* tagline;
        Colour colour;
    };
    const Level levels[] = {
        {"  Trop Facile", "t'a peur des loutres ?!?!", {0.0f, 1.0f, 0.0f}},
        {"    Facile", "Pour les petits joueurs", {0.36f, 0.84f, 0.0f}},
        {"    Normal", "Fait tes preuves...", {0.52f, 0.68f, 0.0f}},
        {"   Difficile", "Y'a de la loutres au menu ce soir !", {0.68f, 0.52f, 0.0f}},
        {"Tres difficile", "Pour les hommes, les vrais", {0.84f, 0.36f, 0.0f}},
        {"  Impossible", "Un chasseur de loutres comme on en voit plus", {1.0f, 0.0f, 0.0f}},
    };
    for (const Level& level : levels) {
        lines.push_back({level.name, kWhite, false});
        lines.push_back({level.tagline, level.colour, false});
    }

    heading(lines, "-- Audio options --");
    char percent[32];
    std::snprintf(percent, sizeof(percent), "%d %c", 50, '%');
    for (const char* text : {"Gestion du son", "Utiliser les effets", "Utiliser la musique",
                             "Une playliste Winamp peut etre placee dans le repertoire ",
                             "ressource/playlist pour etre jouee pendant le jeux.",
                             "(attention a bien editer le fichier base_repertoire.txt)",
                             "une playlist Winamp valide a ete trouvee et va etre jouee",
                             "Playlist Winamp aleatoire"}) {
        lines.push_back({text, kWhite, false});
    }
    lines.push_back({percent, kWhite, false});

    heading(lines, "-- Video options --");
    for (const char* text :
         {"Options video", "Loutre basse qualite", "Qualite des textures", "Filtrage des textures",
          "Qualite du glow", "Haute", "Bonne", "Moyenne", "Faible", "Pas de filtrage", "Lineaire",
          "Bilineaire", "Trilineaire", "Desactive", "Moyenne", "Maximum"}) {
        lines.push_back({text, kWhite, false});
    }

    // The character set as running text, 32 characters a line, as strings are really drawn.
    heading(lines, "-- Characters 32..255 --");
    for (int first = 32; first < 256; first += 32) {
        std::string run;
        for (int code = first; code < first + 32; ++code) {
            run += static_cast<char>(code);
        }
        lines.push_back({run, kWhite, false});
    }
    return lines;
}

// Prints at a window position (pixels from the top-left), on the line's virtual screen.
void printLine(BitmapFont& font, int x, int y, const Line& line) {
    glColor3f(line.colour.r, line.colour.g, line.colour.b);
    if (line.large) {
        font.setScreenSize(422, 316);
        font.print(x * 422 / kPageWidth, y * 316 / kPageHeight, "%s", line.text.c_str());
        font.setScreenSize(800, 600);
    } else {
        font.print(x, y, "%s", line.text.c_str());
    }
}

int lineHeight(const Line& line) { return line.large ? 32 : 17; }

// Starts a page: dark background and the state the game's texts are drawn in (additive blend
// of the glyph picture, whose keyed background is black).
void beginPage() {
    glViewport(0, 0, kPageWidth, kPageHeight);
    glClearColor(0.08f, 0.08f, 0.12f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
}

// Appends the finished page to the sheet, top row first.
void readPage(std::vector<uint8_t>& sheet) {
    glFinish();
    std::vector<uint8_t> page(static_cast<size_t>(kPageWidth) * kPageHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kPageWidth, kPageHeight, GL_RGB, GL_UNSIGNED_BYTE, page.data());
    const size_t row = static_cast<size_t>(kPageWidth) * 3;
    for (int y = kPageHeight - 1; y >= 0; --y) {
        sheet.insert(sheet.end(), page.begin() + y * row, page.begin() + (y + 1) * row);
    }
}

// Draws the texts page after page, then the glyph table, each glyph alone in its own box.
std::vector<uint8_t> renderSheet(BitmapFont& font, int& pages) {
    std::vector<uint8_t> sheet;
    pages = 0;
    int y = kPageHeight;  // forces a first page
    auto room = [&](int height) {
        if (y + height > kPageHeight - kMargin) {
            if (pages > 0) {
                readPage(sheet);
            }
            beginPage();
            ++pages;
            y = kMargin;
        }
    };
    for (const Line& line : gameTexts()) {
        room(lineHeight(line));
        printLine(font, kMargin, y, line);
        y += lineHeight(line);
    }

    room(17 * 2);
    y += 17;
    printLine(font, kMargin, y, {"-- Glyph table (row start in hex) --", kHeading, false});
    y += 17;
    for (int first = 32; first < 256; first += 16) {
        room(24);
        printLine(font, kMargin, y, {format("%02X", first), kHeading, false});
        for (int code = first; code < first + 16; ++code) {
            const std::string glyph(1, static_cast<char>(code));
            printLine(font, 60 + (code - first) * 45, y, {glyph, kWhite, false});
        }
        y += 24;
    }
    readPage(sheet);
    return sheet;
}

bool writePpm(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    const bool written = std::fwrite(rgb.data(), 1, rgb.size(), file) == rgb.size();
    return std::fclose(file) == 0 && written;
}

// Runs ImageMagick's convert without a shell, so odd file names stay plain arguments.
bool convertToPng(const std::string& ppm, const char* png) {
    std::string input = "ppm:" + ppm;
    char program[] = "convert";
    char* args[] = {program, input.data(), const_cast<char*>(png), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "convert", nullptr, nullptr, args, environ) != 0) {
        return false;
    }
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FONT.bmp OUT.png\n", argv[0]);
        return 2;
    }
    int glutArgc = 1;
    glutInit(&glutArgc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(kPageWidth, kPageHeight);
    glutCreateWindow("fontsheet");
    glutDisplayFunc([] {});
    for (int i = 0; i < 3; ++i) {
        glutMainLoopEvent();
    }

    // Loaded exactly like the game screen's font.
    Texture texture;
    if (!texture.load(argv[1], true, GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT, 0, false, 255, 0,
                      255, 0, 1)) {
        std::fprintf(stderr, "fontsheet: cannot load %s\n", argv[1]);
        return 1;
    }
    BitmapFont font;
    font.setTexture(texture.id(), 15, 15);
    font.setFirstChar(32);
    font.setGlyphSize(15, 15, 10);
    font.setScreenSize(800, 600);
    font.build();

    int pages = 0;
    const std::vector<uint8_t> sheet = renderSheet(font, pages);
    const std::string ppm = std::string(argv[2]) + ".tmp.ppm";
    const bool ok =
        writePpm(ppm, kPageWidth, kPageHeight * pages, sheet) && convertToPng(ppm, argv[2]);
    std::remove(ppm.c_str());
    if (!ok) {
        std::fprintf(stderr, "fontsheet: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s: %d x %d, %d page(s)\n", argv[2], kPageWidth, kPageHeight * pages, pages);
    return 0;
}
