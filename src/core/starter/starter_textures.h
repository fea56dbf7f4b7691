// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/starter/texture_generator.h"

#include <QList>

namespace velora {

// One texture of the starter library: its group (the folder), its name (the
// file's title) and how the generator makes it.
struct StarterTexture {
    const char* group;
    const char* name;
    TextureRecipe recipe;
};

// The starter textures, group by group.
const QList<StarterTexture>& StarterTextures();

}  // namespace velora
