// ToonVertexProgram: the ARB vertex program that computes the toon ramp coordinate on the GPU.
#pragma once

// Sends N·L (normal against the normalised direction to program.env[69], the light in the
// model's own coordinates) to texture unit 0 as (s, 0), and the model's texture coordinate to
// unit 1, so the ramp and the skin multiply in one pass. Same shade as the processor path.
extern const char toonVertexProgram[];
