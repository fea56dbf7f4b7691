// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

#include <QFile>
#include <QRect>
#include <QString>
#include <QStringList>

namespace velora::test {

// DXF text of squares and circles, in drawing units.
class DxfDrawing {
public:
    DxfDrawing& Square(const QRectF& box) {
        const QPointF corners[] = {box.topLeft(), box.topRight(), box.bottomRight(),
                                   box.bottomLeft()};
        for (int i = 0; i < 4; ++i) Line(corners[i], corners[(i + 1) % 4]);
        return *this;
    }
    DxfDrawing& Circle(QPointF centre, double radius) {
        Add({"0", "CIRCLE", "10", Number(centre.x()), "20", Number(centre.y()), "40",
             Number(radius)});
        return *this;
    }
    bool WriteTo(const QString& path) const {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return false;
        const QString text = QStringLiteral("0\nSECTION\n2\nENTITIES\n") + m_entities +
                             QStringLiteral("0\nENDSEC\n0\nEOF\n");
        return file.write(text.toLatin1()) == text.size();
    }

private:
    static QString Number(double value) { return QString::number(value, 'f', 4); }
    void Line(QPointF from, QPointF to) {
        Add({"0", "LINE", "10", Number(from.x()), "20", Number(from.y()), "11", Number(to.x()),
             "21", Number(to.y())});
    }
    void Add(const QStringList& groups) { m_entities += groups.join('\n') + '\n'; }

    QString m_entities;
};

// A stored model of the given kind and size with a named template.
inline void WriteModelFile(const QString& path, int kind, QSize size, const QString& name) {
    CDrawingModel model;
    model.SetDocumentKind(kind);
    model.SetSize(size.width(), size.height());
    model.SetTemplateName(name);
    SaveModelFile(model, path);
}

}  // namespace velora::test
