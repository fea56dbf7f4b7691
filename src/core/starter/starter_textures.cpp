// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/starter/starter_textures.h"

namespace velora {

namespace {
constexpr char kNatural[] = "Natural";
constexpr char kFabric[] = "Fabric";
constexpr char kColours[] = "Colours";

StarterTexture Flat(const char* name, QRgb colour) {
    return {kColours, name, {TexturePattern::Flat, colour, colour, 0}};
}
}  // namespace

const QList<StarterTexture>& StarterTextures() {
    using P = TexturePattern;
    static const QList<StarterTexture> textures{
        {kNatural, "Oak", {P::Wood, 0xD9A866, 0x8A5A2B, 11}},
        {kNatural, "Walnut", {P::Wood, 0x9C6B43, 0x4A2C17, 12}},
        {kNatural, "Pine", {P::Wood, 0xF0D9A8, 0xC29A5B, 13}},
        {kNatural, "Cobbles", {P::Cobbles, 0xC8C0B0, 0x4F4A44, 21}},
        {kNatural, "Slate", {P::Slate, 0x8794A0, 0x333C46, 22}},
        {kNatural, "Sandstone", {P::Slate, 0xEBCF9F, 0xA8794A, 23}},
        {kNatural, "Marble", {P::Marble, 0xF6F3EE, 0x8F8A84, 24}},
        {kFabric, "Linen", {P::Weave, 0xEFE6D2, 0xB0A185, 31}},
        {kFabric, "Burlap", {P::Weave, 0xCFA96B, 0x6E4F26, 32}},
        {kFabric, "Denim", {P::Twill, 0x6A90BE, 0x1C355A, 33}},
        {kFabric, "Tartan", {P::Check, 0xC8453C, 0x1D4D2B, 34}},
        {kFabric, "Gingham", {P::Check, 0xFFFFFF, 0x3F6FD1, 35}},
        Flat("Red", 0xD7263D),
        Flat("Orange", 0xF28C28),
        Flat("Yellow", 0xF6D13A),
        Flat("Green", 0x3AA655),
        Flat("Sky blue", 0x62B6E8),
        Flat("Navy", 0x1F3A93),
        Flat("Violet", 0x8E44AD),
        Flat("Pink", 0xF49AC1),
        Flat("Brown", 0x8B5A2B),
        Flat("Grey", 0x9E9E9E),
        Flat("White", 0xFAFAFA),
        Flat("Black", 0x222222),
    };
    return textures;
}

}  // namespace velora
