// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRgb>

#include <cstdint>

namespace velora {

// The patterns the texture generator draws.
enum class TexturePattern {
    Wood,     // growth rings along the tile, with fine grain
    Cobbles,  // rounded stones in mortar
    Slate,    // layered, cloudy stone
    Marble,   // veins through a pale stone
    Weave,    // plain weave: threads over one, under one
    Twill,    // diagonal weave: over two, under one
    Check,    // crossing bands of two colours
    Flat,     // one colour
};

// How one texture is made: the pattern, the two colours it mixes (light and
// dark; a flat colour uses the light one) and the seed of its randomness, so
// that the same recipe always gives the same picture.
struct TextureRecipe {
    TexturePattern pattern;
    QRgb light;
    QRgb dark;
    uint32_t seed;
};

// A square tile of `size` pixels (a multiple of 32) that repeats without a
// seam: every pattern wraps around at the tile's edges.
QImage GenerateTexture(const TextureRecipe& recipe, int size);

}  // namespace velora
