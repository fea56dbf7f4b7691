#include "ui/library/cell_drawing.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace velora {

namespace {
constexpr int kMargin = 5;
constexpr int kCaptionHeight = 20;

void DrawCross(QPainter& painter, int width, int height, const QColor& background,
               const QColor& lines) {
    painter.fillRect(0, 0, width, height, background);
    painter.setPen(QPen(lines, 1));
    painter.drawRect(0, 0, width - 1, height - 1);
    painter.drawLine(0, 0, width, height);
    painter.drawLine(width, 0, 0, height);
}
}  // namespace

CellColors CellColors::FromPalette(const QPalette& palette) {
    return {palette.color(QPalette::Base), palette.color(QPalette::Text),
            palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText)};
}

QRect CellPictureArea(int width, int height) {
    return {kMargin, kMargin, width - 2 * kMargin, height - kCaptionHeight - 2 * kMargin};
}

QFont CellCaptionFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

void DrawCellCaption(QPainter& painter, int width, int height, const QString& title,
                     const QColor& color) {
    const QRect box(kMargin, height - kCaptionHeight, width - 2 * kMargin, kCaptionHeight);
    const QFont font = CellCaptionFont();
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.setClipRect(box);
    const QString shown = QFontMetrics(font).elidedText(title, Qt::ElideRight, box.width());
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, shown);
    painter.restore();
}

void FillCellBackgrounds(QPainter& normal, QPainter& selected, int width, int height,
                         const CellColors& colors) {
    normal.fillRect(0, 0, width, height, colors.window);
    selected.fillRect(0, 0, width, height, colors.highlight);
}

void DrawPlaceholderCell(QPainter& normal, QPainter& selected, int width, int height,
                         const CellColors& colors) {
    DrawCross(normal, width, height, colors.window, colors.windowText);
    DrawCross(selected, width, height, colors.highlight, colors.highlightText);
}

}  // namespace velora
