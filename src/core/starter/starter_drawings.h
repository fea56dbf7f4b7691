// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

namespace velora {

// An area of a starter template: its name and a point inside each of its
// regions, in the drawing's own units (y grows upwards, as DXF has it).
struct StarterArea {
    const char* name;
    QList<QPointF> points;
};

// A drawing of the starter library and how its template is made: the DXF
// drawing built into the program, the size it is imported at (the template
// is 20 pixels larger each way, for the margin around the drawing), the
// frame around it (its outermost rectangle, in drawing units) and its areas.
struct StarterDrawing {
    const char* name;
    const char* resource;
    QSize size;
    QRectF frame;
    QList<StarterArea> areas;
};

const QList<StarterDrawing>& StarterDrawings();

// Imports the drawing as a new template of its size, captures the regions
// of its areas and names them, and saves the template to the path. Throws
// VeloraError when the drawing does not come out as planned (a region of an
// area not found) or the file cannot be written.
void SaveStarterTemplate(const StarterDrawing& drawing, const QString& path);

}  // namespace velora
