// obj_fuzzer: hostile OBJ bytes through the reader and the model assembly.
// seeds: obj
#include <cstddef>
#include <cstdint>

#include "render/Model.h"
#include "render/ObjFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ObjFile file("");
    file.readFromMemory(reinterpret_cast<const char*>(data), size);
    Model model;
    model.build(file);
    // Touch every vertex and the box, so a bad write or uninitialised value shows up.
    float sum = model.radius() + model.boundingBox().halfHeight;
    for (unsigned i = 0; i < model.vertexCount(); ++i) {
        const ModelVertex& v = model.vertices()[i];
        sum += v.position.x() + v.position.y() + v.position.z() + v.u + v.v + v.normal.x() +
               v.normal.y() + v.normal.z();
    }
    volatile float sink = sum;
    (void)sink;
    return 0;
}
