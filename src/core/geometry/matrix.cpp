// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/matrix.h"

namespace velora {

Matrix::Matrix(float m11, float m12, float m21, float m22, float dx, float dy)
    : m_m11(m11), m_m12(m12), m_m21(m21), m_m22(m22), m_dx(dx), m_dy(dy) {}

bool Matrix::IsIdentity() const {
    return m_m11 == 1 && m_m12 == 0 && m_m21 == 0 && m_m22 == 1 && m_dx == 0 && m_dy == 0;
}

void Matrix::Multiply(const Matrix& other, MatrixOrder order) {
    // Prepend: result = other * this (other's operation runs first).
    const Matrix& a = order == MatrixOrder::Prepend ? other : *this;
    const Matrix& b = order == MatrixOrder::Prepend ? *this : other;
    Matrix r;
    r.m_m11 = a.m_m11 * b.m_m11 + a.m_m12 * b.m_m21;
    r.m_m12 = a.m_m11 * b.m_m12 + a.m_m12 * b.m_m22;
    r.m_m21 = a.m_m21 * b.m_m11 + a.m_m22 * b.m_m21;
    r.m_m22 = a.m_m21 * b.m_m12 + a.m_m22 * b.m_m22;
    r.m_dx = a.m_dx * b.m_m11 + a.m_dy * b.m_m21 + b.m_dx;
    r.m_dy = a.m_dx * b.m_m12 + a.m_dy * b.m_m22 + b.m_dy;
    *this = r;
}

void Matrix::Scale(float sx, float sy, MatrixOrder order) {
    Multiply(Matrix(sx, 0, 0, sy, 0, 0), order);
}

void Matrix::Translate(float dx, float dy, MatrixOrder order) {
    Multiply(Matrix(1, 0, 0, 1, dx, dy), order);
}

PointF Matrix::Map(PointF p) const {
    return {p.x * m_m11 + p.y * m_m21 + m_dx, p.x * m_m12 + p.y * m_m22 + m_dy};
}

QTransform Matrix::ToQTransform() const {
    return QTransform(m_m11, m_m12, m_m21, m_m22, m_dx, m_dy);
}

}  // namespace velora
