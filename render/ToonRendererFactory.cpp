// ToonRendererFactory: the choice of toon variant from the two extension flags.
#include "render/ToonRendererFactory.h"

#include "render/GlExtensions.h"
#include "render/MultitextureToonRenderer.h"
#include "render/SoftwareToonRenderer.h"
#include "render/VertexProgramToonRenderer.h"

std::unique_ptr<ToonRenderer> createToonRenderer() {
    if (!multitextureSupported) {
        return std::make_unique<SoftwareToonRenderer>();
    }
    if (vertexProgramSupported) {
        return std::make_unique<VertexProgramToonRenderer>();
    }
    return std::make_unique<MultitextureToonRenderer>();
}
