// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/matrix.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

void ExpectPoint(PointF actual, float x, float y) {
    EXPECT_FLOAT_EQ(actual.x, x);
    EXPECT_FLOAT_EQ(actual.y, y);
}

TEST(MatrixTest, PrependedTranslateRunsBeforeTheScale) {
    Matrix m;
    m.Scale(2, 3);
    m.Translate(10, 20, MatrixOrder::Prepend);
    // (1, 1) moves to (11, 21) first and is then scaled.
    ExpectPoint(m.Map({1, 1}), 22, 63);
    EXPECT_FLOAT_EQ(m.Dx(), 20);
    EXPECT_FLOAT_EQ(m.Dy(), 60);
}

TEST(MatrixTest, AppendedTranslateRunsAfterTheScale) {
    Matrix m;
    m.Scale(2, 3);
    m.Translate(10, 20, MatrixOrder::Append);
    ExpectPoint(m.Map({1, 1}), 12, 23);
    EXPECT_FLOAT_EQ(m.Dx(), 10);
    EXPECT_FLOAT_EQ(m.Dy(), 20);
}

TEST(MatrixTest, ScaleAfterATranslateScalesTheOffsetOnlyWhenAppended) {
    Matrix prepended(1, 0, 0, 1, 5, 7);
    prepended.Scale(2, 2, MatrixOrder::Prepend);
    ExpectPoint(prepended.Map({1, 1}), 7, 9);
    Matrix appended(1, 0, 0, 1, 5, 7);
    appended.Scale(2, 2, MatrixOrder::Append);
    ExpectPoint(appended.Map({1, 1}), 12, 16);
}

TEST(MatrixTest, MultiplyComposesInTheGivenOrder) {
    const Matrix shear(1, 0, 2, 1, 0, 0);  // x += 2y
    const Matrix shift(1, 0, 0, 1, 3, -4);
    Matrix first = shear;
    first.Multiply(shift, MatrixOrder::Prepend);  // shift, then shear
    Matrix second = shear;
    second.Multiply(shift, MatrixOrder::Append);  // shear, then shift
    const PointF p{1, 2};
    const PointF shifted = shift.Map(p);
    ExpectPoint(first.Map(p), shear.Map(shifted).x, shear.Map(shifted).y);
    const PointF sheared = shear.Map(p);
    ExpectPoint(second.Map(p), shift.Map(sheared).x, shift.Map(sheared).y);
    ExpectPoint(first.Map(p), 0, -2);
    ExpectPoint(second.Map(p), 8, -2);
}

TEST(MatrixTest, MapUsesTheRowVectorLayout) {
    const Matrix m(1, 2, 3, 4, 5, 6);
    ExpectPoint(m.Map({10, 100}), 10 * 1 + 100 * 3 + 5, 10 * 2 + 100 * 4 + 6);
    const QPointF q = m.ToQTransform().map(QPointF(10, 100));
    EXPECT_DOUBLE_EQ(q.x(), 315);
    EXPECT_DOUBLE_EQ(q.y(), 426);
}

TEST(MatrixTest, IdentityIsRecognisedUntilChanged) {
    Matrix m;
    EXPECT_TRUE(m.IsIdentity());
    m.Translate(0, 0);
    EXPECT_TRUE(m.IsIdentity());
    m.Scale(1, -1);
    EXPECT_FALSE(m.IsIdentity());
}

}  // namespace
}  // namespace velora
