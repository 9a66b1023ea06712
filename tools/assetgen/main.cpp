// assetgen: generates every texture, model and sound of the game into one ressources/ folder.
#include <errno.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "tools/assetgen/Generators.h"

namespace {

bool makeDirectory(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR (the ressources folder to write)\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    for (const char* dir : {"", "/textures", "/textures/skybox", "/textures/HUD", "/textures/ihm",
                            "/models", "/sons"}) {
        if (!makeDirectory(root + dir)) {
            std::perror((root + dir).c_str());
            return 1;
        }
    }
    bool ok = true;
    ok = assetgen::generateWorldTextures(root) && ok;
    ok = assetgen::generateInterfaceTextures(root) && ok;
    ok = assetgen::generateModels(root) && ok;
    ok = assetgen::generateSounds(root) && ok;
    return ok ? 0 : 1;
}
