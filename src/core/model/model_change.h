// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRegion>

namespace velora {

// What one operation of the model changed, in drawing pixels: the picture
// there, everything (the size may be new too), the list of areas (names,
// members or images) and the texture list.
struct ModelChange {
    QRegion pixels;
    bool whole = false;
    bool areas = false;
    bool textures = false;

    static ModelChange Pixels(QRegion pixels) { return {std::move(pixels), false, false, false}; }
    static ModelChange WholePicture() { return {{}, true, false, false}; }
    static ModelChange Areas(QRegion pixels = {}) {
        return {std::move(pixels), false, true, false};
    }
    static ModelChange TextureList() { return {{}, false, false, true}; }
    static ModelChange Everything() { return {{}, true, true, true}; }

    bool IsEmpty() const { return pixels.isEmpty() && !whole && !areas && !textures; }
    ModelChange& operator+=(const ModelChange& other) {
        pixels += other.pixels;
        whole = whole || other.whole;
        areas = areas || other.areas;
        textures = textures || other.textures;
        return *this;
    }
};

// Whoever shows a model (the document for its views and the areas bar)
// learns of every change through this. A model without one works the same.
class IModelObserver {
public:
    virtual ~IModelObserver() = default;
    virtual void ModelChanged(const ModelChange& change) = 0;
};

}  // namespace velora
