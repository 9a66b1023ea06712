// assetgen: generates every texture, model and sound of the game into one ressources/ folder.
#include <errno.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/assetgen/Generators.h"

namespace {

bool makeDirectory(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr,
                     "usage: %s OUTPUT_DIR [ICON_THEME_DIR] (the ressources folder to write, and "
                     "the hicolor folder for the installed icons)\n",
                     argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    const std::string themeRoot = argc == 3 ? argv[2] : "";
    std::vector<std::string> dirs;
    for (const char* dir : {"", "/textures", "/textures/skybox", "/textures/HUD", "/textures/ihm",
                            "/models", "/sons"}) {
        dirs.push_back(root + dir);
    }
    if (!themeRoot.empty()) {
        dirs.push_back(themeRoot);
        for (const char* size : {"16", "32", "48", "64", "128", "256"}) {
            dirs.push_back(themeRoot + "/" + size + "x" + size);
            dirs.push_back(themeRoot + "/" + size + "x" + size + "/apps");
        }
    }
    for (const std::string& dir : dirs) {
        if (!makeDirectory(dir)) {
            std::perror(dir.c_str());
            return 1;
        }
    }
    bool ok = true;
    ok = assetgen::generateWorldTextures(root) && ok;
    ok = assetgen::generateInterfaceTextures(root) && ok;
    ok = assetgen::generateModels(root) && ok;
    ok = assetgen::generateSounds(root) && ok;
    ok = assetgen::generateIcons(root, themeRoot) && ok;
    return ok ? 0 : 1;
}
