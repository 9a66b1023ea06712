// Models: the game's five OBJ models and their four skins.
#include "tools/assetgen/Generators.h"
#include "tools/assetgen/ModelParts.h"

namespace assetgen {

bool generateModels(const std::string& root) {
    bool ok = writeOtterModels(root);
    ok = writeBuildingModel(root) && ok;
    ok = writeWeaponModel(root) && ok;
    ok = writeLogoModel(root) && ok;
    return ok;
}

}  // namespace assetgen
