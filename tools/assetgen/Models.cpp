// Models: placeholder until its generator is written.
#include "tools/assetgen/Generators.h"

namespace assetgen {

bool generateModels(const std::string&) { return true; }

}  // namespace assetgen
