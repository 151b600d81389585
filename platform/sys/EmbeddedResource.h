#pragma once
// Registration of the resources that quenta_embed_resource links into a
// program. The generated source of each resource holds one static
// TEmbeddedResource; FindResourceW (Win32.h) looks them up.

#include <cstddef>

class TEmbeddedResource {
public:
    // Name and Type as FindResourceW compares them ("PELSORDATA", "#10").
    // Data must live as long as the program.
    TEmbeddedResource(const char* Name, const char* Type, const void* Data, std::size_t Size);
};
