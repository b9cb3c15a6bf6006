#pragma once
// Texture names that model objects select by their material index: the
// package models use slots 0..99, the mug models 100..199.

#include <array>

namespace vm {

constexpr int kTextureTableSize = 200;
constexpr int kMugTextureBase = 100;
extern std::array<unsigned int, kTextureTableSize> g_TextureTable;

// The slot of `materialIndex` for package models (clamped into the half) and
// for the mug models.
unsigned int& PackageTextureSlot(int materialIndex);
unsigned int& MugTextureSlot(int materialIndex);

}  // namespace vm
