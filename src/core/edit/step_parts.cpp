// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/edit/step_parts.h"

#include "core/model/drawing_model.h"

#include <functional>
#include <optional>

namespace velora {

namespace {

int64_t TextCost(const QString& text) {
    return static_cast<int64_t>(sizeof(QString) + text.size() * sizeof(QChar));
}

int64_t NamesCost(const QStringList& names) {
    int64_t cost = sizeof(QStringList);
    for (const QString& name : names) cost += TextCost(name);
    return cost;
}

int64_t RegionShapeCost(const QRegion& region) {
    return static_cast<int64_t>(sizeof(QRegion) + region.rectCount() * sizeof(QRect));
}

int64_t RegionCost(const CRegionItem& region) {
    return static_cast<int64_t>(sizeof(CRegionItem)) + RegionShapeCost(region.GetRegion()) +
           TextCost(region.GetName()) + region.GetCacheBitmap().sizeInBytes();
}

int64_t AreaCost(const CArea& area) {
    return static_cast<int64_t>(sizeof(CArea)) + TextCost(area.GetName()) +
           NamesCost(area.Names()) + ImageCost(area.GetImageRef());
}

int64_t CurveCost(const CCurve& curve) {
    return static_cast<int64_t>(sizeof(CCurve)) + TextCost(curve.GetName()) +
           static_cast<int64_t>(curve.GetPath().PointCount() * (sizeof(PointF) + 1));
}

int64_t ContentCost(const ModelContent& content) {
    int64_t cost = static_cast<int64_t>(sizeof(ModelContent)) + TextCost(content.templateName) +
                   NamesCost(content.textures) + static_cast<int64_t>(content.mask.Bits().size());
    for (const CArea& area : content.areas) cost += AreaCost(area);
    for (const auto& curve : content.curves) cost += CurveCost(*curve);
    for (const auto& region : content.regions) cost += RegionCost(*region);
    return cost;
}

// A region or an area that a step put into the model or took out of it;
// while it is out, the part holds it.
template <typename Item, typename Index>
class Presence : public StepPart {
public:
    Presence(Index index, std::optional<Item> held, bool inserted)
        : m_index(index), m_held(std::move(held)), m_inserted(inserted) {}
    void Undo(CDrawingModel& model) override { m_inserted ? TakeOut(model) : PutIn(model); }
    void Redo(CDrawingModel& model) override { m_inserted ? PutIn(model) : TakeOut(model); }
    int64_t Cost() const override;

private:
    void PutIn(CDrawingModel& model);
    void TakeOut(CDrawingModel& model);

    Index m_index;
    std::optional<Item> m_held;
    bool m_inserted;
};

using RegionPresence = Presence<std::unique_ptr<CRegionItem>, size_t>;
using CurvePresence = Presence<std::unique_ptr<CCurve>, size_t>;
using AreaPresence = Presence<CArea, int>;

template <>
void RegionPresence::PutIn(CDrawingModel& model) {
    model.InsertRegion(m_index, std::move(*m_held));
    m_held.reset();
}
template <>
void RegionPresence::TakeOut(CDrawingModel& model) {
    m_held = model.TakeRegion(m_index);
}
template <>
int64_t RegionPresence::Cost() const {
    return sizeof(*this) + (m_held && *m_held ? RegionCost(**m_held) : 0);
}
template <>
void CurvePresence::PutIn(CDrawingModel& model) {
    model.InsertCurve(m_index, std::move(*m_held));
    m_held.reset();
}
template <>
void CurvePresence::TakeOut(CDrawingModel& model) {
    m_held = model.TakeCurve(m_index);
}
template <>
int64_t CurvePresence::Cost() const {
    return sizeof(*this) + (m_held && *m_held ? CurveCost(**m_held) : 0);
}
template <>
void AreaPresence::PutIn(CDrawingModel& model) {
    model.InsertArea(m_index, std::move(*m_held));
    m_held.reset();
}
template <>
void AreaPresence::TakeOut(CDrawingModel& model) {
    m_held = model.TakeArea(m_index);
}
template <>
int64_t AreaPresence::Cost() const {
    return sizeof(*this) + (m_held ? AreaCost(*m_held) : 0);
}

// A value of the model that a step changed from one thing to another.
template <typename Value>
class ValueChange : public StepPart {
public:
    using Setter = std::function<void(CDrawingModel&, const Value&)>;
    ValueChange(Value before, Value after, Setter set, int64_t cost)
        : m_before(std::move(before)),
          m_after(std::move(after)),
          m_set(std::move(set)),
          m_cost(cost) {}
    void Undo(CDrawingModel& model) override { m_set(model, m_before); }
    void Redo(CDrawingModel& model) override { m_set(model, m_after); }
    int64_t Cost() const override { return static_cast<int64_t>(sizeof(*this)) + m_cost; }

private:
    Value m_before;
    Value m_after;
    Setter m_set;
    int64_t m_cost;
};

template <typename Value>
std::unique_ptr<StepPart> Changed(Value before, Value after,
                                  typename ValueChange<Value>::Setter set, int64_t cost) {
    return std::make_unique<ValueChange<Value>>(std::move(before), std::move(after), std::move(set),
                                                cost);
}

class MaskPixelsPart : public StepPart {
public:
    MaskPixelsPart(std::vector<QPoint> pixels, bool light)
        : m_pixels(std::move(pixels)), m_light(light) {}
    void Undo(CDrawingModel& model) override { model.SetMaskPixels(m_pixels, !m_light); }
    void Redo(CDrawingModel& model) override { model.SetMaskPixels(m_pixels, m_light); }
    int64_t Cost() const override {
        return static_cast<int64_t>(sizeof(*this) + m_pixels.capacity() * sizeof(QPoint));
    }

private:
    std::vector<QPoint> m_pixels;
    bool m_light;
};

// Undo and redo alike swap what the model holds with what the part holds.
class ContentPart : public StepPart {
public:
    explicit ContentPart(ModelContent held)
        : m_held(std::move(held)), m_cost(ContentCost(m_held)) {}
    void Undo(CDrawingModel& model) override { Swap(model); }
    void Redo(CDrawingModel& model) override { Swap(model); }
    int64_t Cost() const override { return static_cast<int64_t>(sizeof(*this)) + m_cost; }

private:
    void Swap(CDrawingModel& model) {
        m_held = model.SwapContent(std::move(m_held));
        m_cost = ContentCost(m_held);
    }

    ModelContent m_held;
    int64_t m_cost;
};

}  // namespace

int64_t ImageCost(const CArea::ImageRef& image) {
    return image.image.sizeInBytes() + (image.stored ? image.stored->Bytes().size() : 0);
}

namespace parts {

std::unique_ptr<StepPart> RegionInserted(size_t index) {
    return std::make_unique<RegionPresence>(index, std::nullopt, true);
}

std::unique_ptr<StepPart> RegionRemoved(size_t index, std::unique_ptr<CRegionItem> region) {
    return std::make_unique<RegionPresence>(index, std::move(region), false);
}

std::unique_ptr<StepPart> CurveRemoved(size_t index, std::unique_ptr<CCurve> curve) {
    return std::make_unique<CurvePresence>(index, std::move(curve), false);
}

std::unique_ptr<StepPart> RegionSelected(size_t index, bool before, bool after) {
    return Changed<bool>(
        before, after,
        [index](CDrawingModel& model, const bool& on) { model.SetRegionSelected(index, on); }, 0);
}

std::unique_ptr<StepPart> RegionShape(size_t index, QRegion before, QRegion after) {
    const int64_t cost = RegionShapeCost(before) + RegionShapeCost(after);
    return Changed<QRegion>(
        std::move(before), std::move(after),
        [index](CDrawingModel& model, const QRegion& shape) { model.SetRegionShape(index, shape); },
        cost);
}

std::unique_ptr<StepPart> AreaNames(int index, QStringList before, QStringList after) {
    const int64_t cost = NamesCost(before) + NamesCost(after);
    return Changed<QStringList>(
        std::move(before), std::move(after),
        [index](CDrawingModel& model, const QStringList& names) {
            model.SetAreaNames(index, names);
        },
        cost);
}

std::unique_ptr<StepPart> AreaInserted(int index) {
    return std::make_unique<AreaPresence>(index, std::nullopt, true);
}

std::unique_ptr<StepPart> AreaRemoved(int index, CArea area) {
    return std::make_unique<AreaPresence>(index, std::move(area), false);
}

std::unique_ptr<StepPart> AreaImage(int index, CArea::ImageRef before, CArea::ImageRef after) {
    const int64_t cost = ImageCost(before) + ImageCost(after);
    return Changed<CArea::ImageRef>(
        std::move(before), std::move(after),
        [index](CDrawingModel& model, const CArea::ImageRef& image) {
            model.SetAreaImageRef(index, image);
        },
        cost);
}

std::unique_ptr<StepPart> AreaName(int index, QString before, QString after) {
    const int64_t cost = TextCost(before) + TextCost(after);
    return Changed<QString>(
        std::move(before), std::move(after),
        [index](CDrawingModel& model, const QString& name) { model.RenameArea(index, name); },
        cost);
}

std::unique_ptr<StepPart> Textures(QStringList before, QStringList after) {
    const int64_t cost = NamesCost(before) + NamesCost(after);
    return Changed<QStringList>(
        std::move(before), std::move(after),
        [](CDrawingModel& model, const QStringList& textures) { model.SetTextures(textures); },
        cost);
}

std::unique_ptr<StepPart> TemplateName(QString before, QString after) {
    const int64_t cost = TextCost(before) + TextCost(after);
    return Changed<QString>(
        std::move(before), std::move(after),
        [](CDrawingModel& model, const QString& name) { model.SetTemplateName(name); }, cost);
}

std::unique_ptr<StepPart> Flags(ViewFlags before, ViewFlags after) {
    return Changed<ViewFlags>(
        before, after,
        [](CDrawingModel& model, const ViewFlags& flags) {
            model.SetSmoothLines(flags.smoothLines);
            model.SetCorrectionMode(flags.correctionMode);
        },
        0);
}

std::unique_ptr<StepPart> MaskPixels(std::vector<QPoint> pixels, bool light) {
    return std::make_unique<MaskPixelsPart>(std::move(pixels), light);
}

std::unique_ptr<StepPart> Content(ModelContent previous) {
    return std::make_unique<ContentPart>(std::move(previous));
}

}  // namespace parts

}  // namespace velora
