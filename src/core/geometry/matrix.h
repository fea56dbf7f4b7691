// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/point.h"

#include <QTransform>

namespace velora {

enum class MatrixOrder { Prepend, Append };

// 2-D affine matrix with the element layout and composition rules of the
// original platform: a point maps to (x*m11 + y*m21 + dx, x*m12 + y*m22 + dy).
// Prepend applies the new operation before the existing ones, Append after.
class Matrix {
public:
    Matrix() = default;
    Matrix(float m11, float m12, float m21, float m22, float dx, float dy);

    float M11() const { return m_m11; }
    float M12() const { return m_m12; }
    float M21() const { return m_m21; }
    float M22() const { return m_m22; }
    float Dx() const { return m_dx; }
    float Dy() const { return m_dy; }

    bool IsIdentity() const;
    void Multiply(const Matrix& other, MatrixOrder order = MatrixOrder::Prepend);
    void Scale(float sx, float sy, MatrixOrder order = MatrixOrder::Prepend);
    void Translate(float dx, float dy, MatrixOrder order = MatrixOrder::Prepend);
    PointF Map(PointF point) const;
    QTransform ToQTransform() const;

private:
    float m_m11 = 1, m_m12 = 0, m_m21 = 0, m_m22 = 1, m_dx = 0, m_dy = 0;
};

}  // namespace velora
