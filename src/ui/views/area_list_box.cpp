// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/area_list_box.h"

#include "core/model/drawing_model.h"
#include "ui/library/cell_drawing.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace velora {

namespace {

class AreaItemDelegate : public QStyledItemDelegate {
public:
    explicit AreaItemDelegate(CAreaListBox* list) : QStyledItemDelegate(list), m_list(list) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {0, CAreaListBox::kItemHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect item = option.rect;
        const QRect swatch(item.left() + 1, item.top() + 1, CAreaListBox::kSwatchWidth - 2,
                           item.height() - 2);
        painter->save();
        painter->fillRect(QRect(item.topLeft(), QSize(CAreaListBox::kSwatchWidth, item.height())),
                          option.palette.color(QPalette::Base));
        if (const CDrawingModel* model = m_list->GetModel()) {
            const QImage image = model->GetAreaImage(index.row());
            if (!image.isNull()) {
                painter->setClipRect(swatch);
                painter->drawImage(swatch.topLeft(), image, QRect(QPoint(), swatch.size()));
                painter->setClipping(false);
            }
        }
        const QRect text = item.adjusted(CAreaListBox::kSwatchWidth, 0, 0, 0);
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->fillRect(text,
                          option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(CellCaptionFont());
        painter->setClipRect(text);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data().toString());
        painter->restore();
    }

private:
    CAreaListBox* m_list;
};

}  // namespace

CAreaListBox::CAreaListBox(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new AreaItemDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void CAreaListBox::Fill() {
    clear();
    if (!m_model) return;
    for (const CArea& area : m_model->Areas()) addItem(area.GetName());
}

void CAreaListBox::Refresh() {
    const int row = currentRow();
    const QSignalBlocker quiet(this);
    Fill();
    if (row < count()) setCurrentRow(row);
    viewport()->update();
}

}  // namespace velora
