// ToonRendererFactory: picks the toon variant the driver's extensions allow.
#pragma once

#include <memory>

#include "render/ToonRenderer.h"

// Call after loadMultitexture() and loadVertexProgram(): without multitexturing the software
// variant, with both extensions the vertex program variant, else the multitexture variant.
std::unique_ptr<ToonRenderer> createToonRenderer();
