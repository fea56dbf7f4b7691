// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/cell_drawing.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace velora {

namespace {
constexpr int kMargin = 5;
constexpr int kCaptionHeight = 20;

void DrawCross(QPainter& painter, QSize cell, const QColor& background, const QColor& lines) {
    painter.fillRect(QRect(QPoint(), cell), background);
    painter.setPen(QPen(lines, 1));
    painter.drawRect(0, 0, cell.width() - 1, cell.height() - 1);
    painter.drawLine(0, 0, cell.width(), cell.height());
    painter.drawLine(cell.width(), 0, 0, cell.height());
}

void DrawCaption(QPainter& painter, QSize cell, const QString& title, const QColor& color) {
    const QRect box(kMargin, cell.height() - kCaptionHeight, cell.width() - 2 * kMargin,
                    kCaptionHeight);
    const QFont font = CellCaptionFont();
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.setClipRect(box);
    const QString shown = QFontMetrics(font).elidedText(title, Qt::ElideRight, box.width());
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, shown);
    painter.restore();
}
}  // namespace

CellColors CellColors::FromPalette(const QPalette& palette) {
    return {palette.color(QPalette::Base), palette.color(QPalette::Text),
            palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText)};
}

QRect CellPictureArea(QSize cell) {
    return {kMargin, kMargin, cell.width() - 2 * kMargin,
            cell.height() - kCaptionHeight - 2 * kMargin};
}

QFont CellCaptionFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

void DrawCellCaptions(QPainter& normal, QPainter& selected, QSize cell, const QString& title,
                      const CellColors& colors) {
    DrawCaption(normal, cell, title, colors.windowText);
    DrawCaption(selected, cell, title, colors.highlightText);
}

void FillCellBackgrounds(QPainter& normal, QPainter& selected, QSize cell,
                         const CellColors& colors) {
    normal.fillRect(QRect(QPoint(), cell), colors.window);
    selected.fillRect(QRect(QPoint(), cell), colors.highlight);
}

void DrawPlaceholderCell(QPainter& normal, QPainter& selected, QSize cell,
                         const CellColors& colors) {
    DrawCross(normal, cell, colors.window, colors.windowText);
    DrawCross(selected, cell, colors.highlight, colors.highlightText);
}

}  // namespace velora
