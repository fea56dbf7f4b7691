// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

class QComboBox;
class QPushButton;

namespace velora {

class CAreaListBox;
class CDrawingModel;
class CMosvelViewBase;
class CTexturePalette;
class IViewDocument;
struct ModelChange;

// The "Areas" panel with which a design is coloured: the areas of the
// document whose view last had the focus, the texture groups and a palette
// of the chosen group's textures. Choosing an area selects its regions in
// the view; clicking a texture fills the chosen area with it. A right click
// on a texture and the four buttons edit the design's texture list. The
// main frame holds it in a dock; views, documents and the frame reach it
// through this interface.
class CAreasBar : public QWidget {
    Q_OBJECT
public:
    explicit CAreasBar(QWidget* parent);
    ~CAreasBar() override;

    // Shows the given document (null pointers detach the bar). Nothing
    // happens when the document is already shown, unless forced.
    void SetActiveDocument(IViewDocument* document, CDrawingModel* model, CMosvelViewBase* view,
                           bool force);
    IViewDocument* GetActiveDocument() const { return m_document; }
    CDrawingModel* GetModel() const { return m_model; }
    CMosvelViewBase* GetView() const { return m_view; }
    // Index of the current list item, -1 for none.
    int GetSelectedArea() const;
    // Removes the current item from the list, if there is one.
    void DeleteCurrentItem();
    // Reloads the texture groups and the palette (after the groups dialog or
    // a download).
    void RefillGroups();
    // Follows a change of the shown model's areas or texture list.
    void ShowModelChange(const ModelChange& change);

signals:
    // The context menu of an area was asked for at the global point; the
    // area is the current one now.
    void areaMenuRequested(QPoint global);

public:
    CAreaListBox& AreaList() const { return *m_areas; }
    QComboBox& GroupCombo() const { return *m_groups; }
    CTexturePalette& Palette() const { return *m_palette; }
    // The chosen group's folder, ending with "/".
    QString GetGroupPath() const;

private:
    QPushButton* AddButton(const QString& text, void (CAreasBar::*edit)());
    void OnAreaSelected();
    void LoadGroup();
    void ApplyFocusedTexture();
    void ToggleFocusedTexture();
    void AddGroup();
    void RemoveGroup();
    void AddAll();
    void RemoveAll();
    // A change of the texture list, as one step.
    void EditTextures(const QString& name, const std::function<void(CDrawingModel&)>& change);
    void OnAreaMenu(QPoint point);

    QComboBox* m_groups;
    CAreaListBox* m_areas;
    CMosvelViewBase* m_view = nullptr;
    CTexturePalette* m_palette;
    IViewDocument* m_document = nullptr;
    CDrawingModel* m_model = nullptr;
};

// The areas bar of the main window that holds the widget, or none.
CAreasBar* FindAreasBar(const QWidget* inside);

}  // namespace velora
