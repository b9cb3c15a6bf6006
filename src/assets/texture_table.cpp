#include "assets/texture_table.h"

#include <algorithm>

namespace vm {

std::array<unsigned int, kTextureTableSize> g_TextureTable{};

unsigned int& PackageTextureSlot(int materialIndex) {
    return g_TextureTable[std::clamp(materialIndex, 0, kMugTextureBase - 1)];
}

unsigned int& MugTextureSlot(int materialIndex) {
    return g_TextureTable[kMugTextureBase + std::clamp(materialIndex, 0, kMugTextureBase - 1)];
}

}  // namespace vm
