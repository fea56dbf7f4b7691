// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

namespace velora {

class CDrawingModel;

// The list of a model's areas: each 25-pixel item shows the top-left part of
// the area's texture unscaled as a swatch, then the area's name.
class CAreaListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kItemHeight = 25;
    // The swatch takes the item's first pixels from the left.
    static constexpr int kSwatchWidth = 50;

    explicit CAreaListBox(QWidget* parent = nullptr);

    void SetModel(const CDrawingModel* model) { m_model = model; }
    const CDrawingModel* GetModel() const { return m_model; }
    // Fills the list with the model's area names, in model order.
    void Fill();
    // Follows the model's areas: their names, how many and their images.
    // The current row stays where it can.
    void Refresh();

private:
    const CDrawingModel* m_model = nullptr;
};

}  // namespace velora
