// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace velora {

class CDrawingModel;
class CMosvelViewBase;

// What a view and the areas bar need of the document they show. The document
// classes sit above the views, so they reach it through this.
class IViewDocument {
public:
    virtual ~IViewDocument() = default;

    virtual CDrawingModel& Model() = 0;
    virtual bool IsModified() const = 0;
    virtual void SetModifiedFlag(bool modified = true) = 0;
    // The view no longer shows the document (it is closing).
    virtual void RemoveView(CMosvelViewBase* view) = 0;
};

}  // namespace velora
