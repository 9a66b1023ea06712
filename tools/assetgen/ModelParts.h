// ModelParts: one writer per model family, each writing its OBJ files and its skin.
#pragma once

#include <string>

namespace assetgen {

// Each returns false after printing what could not be written.
bool writeOtterModels(const std::string& root);    // loutre.obj, loutre_low.obj, loutre.bmp
bool writeBuildingModel(const std::string& root);  // immeuble.obj, immeuble.bmp
bool writeWeaponModel(const std::string& root);    // arme.obj, arme.bmp
bool writeLogoModel(const std::string& root);      // VRK.obj, VRK.bmp

}  // namespace assetgen
