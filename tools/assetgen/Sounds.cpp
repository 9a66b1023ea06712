// Sounds: placeholder until its generator is written.
#include "tools/assetgen/Generators.h"

namespace assetgen {

bool generateSounds(const std::string&) { return true; }

}  // namespace assetgen
