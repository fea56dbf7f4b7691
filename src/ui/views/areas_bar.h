#pragma once

#include <QDialog>

class QListWidget;

namespace velora {

class CDrawingModel;
class CMosvelViewBase;
class IViewDocument;

// The "Areas" tool window: the areas of the document whose view last had the
// focus. The main frame owns it; views, documents and the frame reach it
// through this interface.
class CAreasBar : public QDialog {
    Q_OBJECT
public:
    explicit CAreasBar(QWidget* parent);

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
    // Reloads the texture groups (after the groups dialog or a download).
    void RefillGroups();

private:
    void OnAreaSelected();

    QListWidget* m_areas;
    CMosvelViewBase* m_view = nullptr;
    IViewDocument* m_document = nullptr;
    CDrawingModel* m_model = nullptr;
};

// The areas bar of the main window that holds the widget, or none.
CAreasBar* FindAreasBar(const QWidget* inside);

}  // namespace velora
