// SceneObject: the empty base drawing of a world object.
#include "entities/SceneObject.h"

void SceneObject::draw() {}

SceneObject::~SceneObject() = default;
