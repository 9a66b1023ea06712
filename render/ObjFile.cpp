// ObjFile: placeholder reader until the OBJ parser is written; reads nothing.
#include "render/ObjFile.h"

ObjFile::ObjFile(const char* path) : path_(path ? path : "") {}

ObjFile::~ObjFile() = default;

int ObjFile::read() { return kCannotOpen; }

int ObjFile::readFromMemory(const char*, size_t) { return kRead; }

int ObjFile::readStream(FILE*) { return kRead; }
