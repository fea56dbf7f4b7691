// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_reader.h"

#include "core/import/dxf_entity.h"
#include "core/import/dxf_numbers.h"
#include "core/import/dxf_pairs.h"

#include <string>
#include <string_view>

namespace velora {

namespace {

// Group codes the reader knows.
namespace Code {
constexpr int EntityStart = 0;
constexpr int Name = 2;
constexpr int Layer = 8;
constexpr int X = 10;
constexpr int X2 = 11;
constexpr int X3 = 12;
constexpr int X4 = 13;
constexpr int Y = 20;
constexpr int Y2 = 21;
constexpr int Y3 = 22;
constexpr int Y4 = 23;
constexpr int Z = 30;
constexpr int Z2 = 31;
constexpr int Elevation = 38;
constexpr int Radius = 40;
constexpr int Value41 = 41;
constexpr int Value42 = 42;
constexpr int Value44 = 44;
constexpr int Value45 = 45;
constexpr int StartAngle = 50;
constexpr int EndAngle = 51;
constexpr int Visibility = 60;
constexpr int Colour = 62;
constexpr int PaperSpace = 67;
constexpr int Flags = 70;
constexpr int Value71 = 71;
constexpr int NormalX = 210;
constexpr int NormalY = 220;
constexpr int NormalZ = 230;
}  // namespace Code

// A vertex that only shapes the frame of a spline-fitted polyline; the
// curve runs through the fitted vertices.
constexpr int kSplineFrameVertex = 16;

const QString kPaperSpace = QStringLiteral("in paper space");
const QString kPolylineMesh = QStringLiteral("POLYLINE mesh");
const QString kInvisible = QStringLiteral("invisible");

enum class Section { None, Blocks, Entities, Other };

double Number(std::string_view value) { return ParseDxfDouble(value); }
float ParseCoordinate(std::string_view value) { return static_cast<float>(Number(value)); }

// The group codes of one point's X and Y.
struct CoordinateCodes {
    int x;
    int y;
};
constexpr CoordinateCodes kFirstPoint{Code::X, Code::Y};
constexpr CoordinateCodes kSecondPoint{Code::X2, Code::Y2};
constexpr CoordinateCodes kThirdPoint{Code::X3, Code::Y3};
constexpr CoordinateCodes kFourthPoint{Code::X4, Code::Y4};

// Sets a coordinate of a point the entity has a fixed place for; false when
// the code is not one of that point's.
bool SetCoordinate(ShapePoint& point, CoordinateCodes codes, int code, std::string_view value) {
    if (code == codes.x) {
        point.x = ParseCoordinate(value);
    } else if (code == codes.y) {
        point.y = ParseCoordinate(value);
    } else {
        return false;
    }
    return true;
}

// In a list of points an X starts the next point and a Y completes the last
// one; a Y before any X has nothing to complete. False when the code is not
// one of the list's.
bool AddListCoordinate(std::vector<ShapePoint>& points, CoordinateCodes codes, int code,
                       std::string_view value) {
    if (code == codes.x) {
        points.push_back({ParseCoordinate(value), 0, 0, 0});
    } else if (code == codes.y) {
        if (!points.empty()) points.back().y = ParseCoordinate(value);
    } else {
        return false;
    }
    return true;
}

// The same for points kept in double precision.
bool AddListCoordinate(std::vector<QPointF>& points, CoordinateCodes codes, int code,
                       std::string_view value) {
    if (code == codes.x) {
        points.emplace_back(Number(value), 0);
    } else if (code == codes.y) {
        if (!points.empty()) points.back().setY(Number(value));
    } else {
        return false;
    }
    return true;
}

// A point that may be missing, such as a spline's end tangent.
void SetOptionalCoordinate(std::optional<QPointF>& point, CoordinateCodes codes, int code,
                           std::string_view value) {
    if (code == codes.x) {
        point = QPointF(Number(value), 0);
    } else if (code == codes.y && point) {
        point->setY(Number(value));
    }
}

// The reading state machine: sections, block definitions, the entity being
// read, and the layer table.
class DxfReader {
public:
    DxfReader(QByteArrayView text, EntityTally* ignored, size_t maxPlacements)
        : m_pairs(text),
          m_ignored(ignored),
          m_placer(m_blocks, m_layers, ignored, m_content.paths, maxPlacements) {}
    DxfContent Read();

private:
    // What a "0" group starts; false when it ends the reading.
    bool StartRecord(std::string_view value);
    DxfEntityType EntityTypeOf(std::string_view value) const;
    void StartEntity(DxfEntityType type);
    void StartVertex();
    void HandleGroup(const DxfPair& pair);
    bool HandleCommonGroup(int code, std::string_view value);
    void FinishVertex();
    void FinishEntity();
    void Deliver(DxfItem&& item);

    void HandleLine(int code, std::string_view value);
    void HandleCircle(int code, std::string_view value);
    void HandleArc(int code, std::string_view value);
    void HandleEllipse(int code, std::string_view value);
    void HandleLwPolyline(int code, std::string_view value);
    void HandlePolyline(int code, std::string_view value);
    void HandleVertex(int code, std::string_view value);
    void HandleSpline(int code, std::string_view value);
    void HandleSolid(int code, std::string_view value);
    void HandleInsert(int code, std::string_view value);
    void HandleLayer(int code, std::string_view value);
    void HandleBlock(int code, std::string_view value);

    DxfPairReader m_pairs;
    EntityTally* m_ignored;
    DxfContent m_content;
    DxfLayerTable m_layers;
    DxfBlockTable m_blocks;
    DxfPlacer m_placer;
    DxfPair m_pair;
    DxfEntity m_entity;
    bool m_paperSpace = false;
    std::string m_currentLayer;
    Section m_section = Section::None;
    bool m_expectSectionName = false;
    // The block whose definition is being read, with its header.
    DxfBlock* m_block = nullptr;
    bool m_readingBlockHeader = false;
    std::string m_blockName;
    QPointF m_blockBase;
    // Vertices of a POLYLINE: where the current one starts in the records,
    // or -1 outside a vertex, and whether it is left out.
    std::ptrdiff_t m_vertexStart = -1;
    bool m_frameVertex = false;
};

DxfContent DxfReader::Read() {
    bool more = m_pairs.Next(m_pair);
    while (more) {
        if (m_pair.code != Code::EntityStart) {
            if (m_expectSectionName && m_pair.code == Code::Name) {
                m_expectSectionName = false;
                m_content.hasSections = true;
                m_section = EqualsKeyword(m_pair.value, "entities") ? Section::Entities
                            : EqualsKeyword(m_pair.value, "blocks") ? Section::Blocks
                                                                    : Section::Other;
            }
            more = m_pairs.Next(m_pair);
            continue;
        }
        if (!StartRecord(m_pair.value)) return std::move(m_content);
        while ((more = m_pairs.Next(m_pair)) && m_pair.code != Code::EntityStart) {
            HandleGroup(m_pair);
        }
    }
    // A text that ends without a final "0" group still has its last entity.
    FinishEntity();
    return std::move(m_content);
}

bool DxfReader::StartRecord(std::string_view value) {
    // The vertices of a POLYLINE come as records of their own up to SEQEND.
    if (m_entity.type == DxfEntityType::Polyline && EqualsKeyword(value, "vertex")) {
        StartVertex();
        return true;
    }
    FinishEntity();
    m_expectSectionName = false;
    if (EqualsKeyword(value, "section")) {
        m_expectSectionName = true;
    } else if (EqualsKeyword(value, "endsec")) {
        // Nothing after the drawing's entities is read.
        if (m_section == Section::Entities) return false;
        m_section = Section::None;
        m_block = nullptr;
    } else if (m_section == Section::Blocks && EqualsKeyword(value, "block")) {
        m_readingBlockHeader = true;
        m_blockName.clear();
        m_blockBase = QPointF();
        m_block = nullptr;
    } else if (m_section == Section::Blocks && EqualsKeyword(value, "endblk")) {
        m_block = nullptr;
    } else {
        StartEntity(EntityTypeOf(value));
        if (m_entity.type == DxfEntityType::None) {
            const bool drawn = m_section == Section::Entities || m_block;
            const std::optional<QString> kind = EntityTally::KindOfType(value);
            if (drawn && kind) Deliver({DxfItem::Kind::Ignored, {}, false, {}, {}, *kind});
        }
    }
    return true;
}

// Entities are read where they are drawn: in the ENTITIES section and in
// block definitions. Layers come from the table wherever it is.
DxfEntityType DxfReader::EntityTypeOf(std::string_view value) const {
    if (EqualsKeyword(value, "layer")) return DxfEntityType::Layer;
    if (m_section != Section::Entities && !m_block) return DxfEntityType::None;
    static constexpr std::pair<std::string_view, DxfEntityType> kTypes[] = {
        {"line", DxfEntityType::Line},         {"arc", DxfEntityType::Arc},
        {"circle", DxfEntityType::Circle},     {"lwpolyline", DxfEntityType::LwPolyline},
        {"spline", DxfEntityType::Spline},     {"ellipse", DxfEntityType::Ellipse},
        {"polyline", DxfEntityType::Polyline}, {"hatch", DxfEntityType::Hatch},
        {"solid", DxfEntityType::Solid},       {"trace", DxfEntityType::Solid},
        {"insert", DxfEntityType::Insert},
    };
    for (const auto& [name, type] : kTypes) {
        if (EqualsKeyword(value, name)) return type;
    }
    return DxfEntityType::None;
}

void DxfReader::StartEntity(DxfEntityType type) {
    m_currentLayer.clear();
    m_paperSpace = false;
    m_vertexStart = -1;
    m_entity.Reset(type);
    switch (type) {
        case DxfEntityType::Line:
        case DxfEntityType::Circle:
            m_entity.points.resize(2);
            break;
        case DxfEntityType::Ellipse:
            m_entity.points.resize(2);
            break;
        case DxfEntityType::Arc:
        case DxfEntityType::Solid:
            m_entity.points.resize(3);
            break;
        default:
            break;
    }
}

void DxfReader::StartVertex() {
    FinishVertex();
    m_vertexStart = static_cast<std::ptrdiff_t>(m_entity.points.size());
    m_frameVertex = false;
    m_entity.points.push_back({0, 0, 0, 0});
}

void DxfReader::FinishVertex() {
    if (m_vertexStart < 0) return;
    if (m_frameVertex) m_entity.points.resize(static_cast<size_t>(m_vertexStart));
    m_vertexStart = -1;
}

// Groups every drawn entity may have: layer, visibility, paper space and
// the normal of its plane.
bool DxfReader::HandleCommonGroup(int code, std::string_view value) {
    switch (code) {
        case Code::Visibility:
            if (value != "0") m_entity.hidden = true;
            return true;
        case Code::Layer:
            AssignLowerCase(m_entity.layer, value);
            m_entity.hasLayer = true;
            return true;
        case Code::PaperSpace:
            m_paperSpace = ParseDxfInt(value) == 1;
            return true;
        case Code::NormalX:
            m_entity.normal.x = Number(value);
            return true;
        case Code::NormalY:
            m_entity.normal.y = Number(value);
            return true;
        case Code::NormalZ:
            m_entity.normal.z = Number(value);
            return true;
        default:
            return false;
    }
}

void DxfReader::HandleGroup(const DxfPair& pair) {
    if (m_expectSectionName) {
        if (pair.code != Code::Name) return;
        m_expectSectionName = false;
        m_content.hasSections = true;
        m_section = EqualsKeyword(pair.value, "entities") ? Section::Entities
                    : EqualsKeyword(pair.value, "blocks") ? Section::Blocks
                                                          : Section::Other;
        return;
    }
    if (m_readingBlockHeader) return HandleBlock(pair.code, pair.value);
    if (m_entity.type == DxfEntityType::Layer) return HandleLayer(pair.code, pair.value);
    if (m_entity.type == DxfEntityType::None) return;
    // A vertex's own layer and flags of the common kind do not change its
    // polyline.
    if (m_vertexStart >= 0) return HandleVertex(pair.code, pair.value);
    if (HandleCommonGroup(pair.code, pair.value)) return;
    switch (m_entity.type) {
        case DxfEntityType::Line:
            return HandleLine(pair.code, pair.value);
        case DxfEntityType::Arc:
            return HandleArc(pair.code, pair.value);
        case DxfEntityType::Circle:
            return HandleCircle(pair.code, pair.value);
        case DxfEntityType::Ellipse:
            return HandleEllipse(pair.code, pair.value);
        case DxfEntityType::LwPolyline:
            return HandleLwPolyline(pair.code, pair.value);
        case DxfEntityType::Polyline:
            return HandlePolyline(pair.code, pair.value);
        case DxfEntityType::Spline:
            return HandleSpline(pair.code, pair.value);
        case DxfEntityType::Hatch:
            return m_entity.hatch.Handle(pair.code, pair.value);
        case DxfEntityType::Solid:
            return HandleSolid(pair.code, pair.value);
        case DxfEntityType::Insert:
            return HandleInsert(pair.code, pair.value);
        case DxfEntityType::Layer:
        case DxfEntityType::None:
            break;
    }
}

void DxfReader::HandleLine(int code, std::string_view value) {
    std::vector<ShapePoint>& points = m_entity.points;
    if (!SetCoordinate(points[0], kFirstPoint, code, value)) {
        SetCoordinate(points[1], kSecondPoint, code, value);
    }
}

void DxfReader::HandleCircle(int code, std::string_view value) {
    std::vector<ShapePoint>& points = m_entity.points;
    if (SetCoordinate(points[0], kFirstPoint, code, value)) return;
    if (code == Code::Radius) {
        points[1].x = points[1].y = ParseCoordinate(value);
    } else if (code == Code::Z) {
        m_entity.elevation = Number(value);
    }
}

void DxfReader::HandleArc(int code, std::string_view value) {
    switch (code) {
        case Code::StartAngle:
            m_entity.points[2].x = ParseCoordinate(value);
            break;
        case Code::EndAngle:
            m_entity.points[2].y = ParseCoordinate(value);
            break;
        default:
            HandleCircle(code, value);
            break;
    }
}

void DxfReader::HandleEllipse(int code, std::string_view value) {
    std::vector<ShapePoint>& points = m_entity.points;
    if (SetCoordinate(points[0], kFirstPoint, code, value) ||
        SetCoordinate(points[1], kSecondPoint, code, value)) {
        return;
    }
    DxfEllipse& ellipse = m_entity.ellipse;
    switch (code) {
        case Code::Radius:
            ellipse.ratio = Number(value);
            break;
        case Code::Z2:
            ellipse.majorZ = Number(value);
            break;
        case Code::Value41:
            ellipse.start = Number(value);
            break;
        case Code::Value42:
            ellipse.end = Number(value);
            break;
        default:
            break;
    }
}

void DxfReader::HandleLwPolyline(int code, std::string_view value) {
    std::vector<ShapePoint>& records = m_entity.points;
    if (AddListCoordinate(records, kFirstPoint, code, value)) return;
    if (code == Code::Value42) {
        records.push_back({0, 0, Code::Value42, Number(value)});
    } else if (code == Code::Flags) {
        // Bit 1 closes; the others (such as the linetype pattern's 128)
        // leave the outline as it is.
        m_entity.closed = (ParseDxfInt(value) & 1) != 0;
    } else if (code == Code::Elevation) {
        m_entity.elevation = Number(value);
    }
}

void DxfReader::HandlePolyline(int code, std::string_view value) {
    if (code == Code::Flags) {
        m_entity.flags = ParseDxfInt(value);
    } else if (code == Code::Z) {
        m_entity.elevation = Number(value);
    }
}

void DxfReader::HandleVertex(int code, std::string_view value) {
    std::vector<ShapePoint>& records = m_entity.points;
    ShapePoint& vertex = records[static_cast<size_t>(m_vertexStart)];
    if (SetCoordinate(vertex, kFirstPoint, code, value)) return;
    if (code == Code::Value42) {
        const double bulge = Number(value);
        records.resize(static_cast<size_t>(m_vertexStart) + 1);
        if (bulge != 0) records.push_back({0, 0, Code::Value42, bulge});
    } else if (code == Code::Flags) {
        m_frameVertex = (ParseDxfInt(value) & kSplineFrameVertex) != 0;
    }
}

void DxfReader::HandleSpline(int code, std::string_view value) {
    DxfSpline& spline = m_entity.spline;
    if (AddListCoordinate(spline.controlPoints, kFirstPoint, code, value) ||
        AddListCoordinate(spline.fitPoints, kSecondPoint, code, value)) {
        return;
    }
    switch (code) {
        case Code::Flags:
            spline.closed = (ParseDxfInt(value) & 1) != 0;
            break;
        case Code::Value71:
            spline.degree = ParseDxfInt(value);
            break;
        case Code::Radius:
            spline.knots.push_back(Number(value));
            break;
        case Code::Value41:
            spline.weights.push_back(Number(value));
            break;
        default:
            SetOptionalCoordinate(spline.startTangent, kThirdPoint, code, value);
            SetOptionalCoordinate(spline.endTangent, kFourthPoint, code, value);
            break;
    }
}

void DxfReader::HandleSolid(int code, std::string_view value) {
    std::vector<ShapePoint>& corners = m_entity.points;
    if (code == Code::X4 && corners.size() < 4) corners.resize(4);
    if (SetCoordinate(corners[0], kFirstPoint, code, value) ||
        SetCoordinate(corners[1], kSecondPoint, code, value) ||
        SetCoordinate(corners[2], kThirdPoint, code, value)) {
        return;
    }
    if (corners.size() == 4 && SetCoordinate(corners[3], kFourthPoint, code, value)) return;
    if (code == Code::Z) m_entity.elevation = Number(value);
}

void DxfReader::HandleInsert(int code, std::string_view value) {
    DxfInsert& insert = m_entity.insert;
    switch (code) {
        case Code::Name:
            AssignLowerCase(insert.block, value);
            break;
        case Code::X:
            insert.x = Number(value);
            break;
        case Code::Y:
            insert.y = Number(value);
            break;
        case Code::Z:
            insert.z = Number(value);
            break;
        case Code::Value41:
            insert.scaleX = Number(value);
            break;
        case Code::Value42:
            insert.scaleY = Number(value);
            break;
        case Code::StartAngle:
            insert.rotation = Number(value);
            break;
        case Code::Flags:
            insert.columns = ParseDxfInt(value);
            break;
        case Code::Value71:
            insert.rows = ParseDxfInt(value);
            break;
        case Code::Value44:
            insert.columnSpacing = Number(value);
            break;
        case Code::Value45:
            insert.rowSpacing = Number(value);
            break;
        default:
            break;
    }
}

void DxfReader::HandleLayer(int code, std::string_view value) {
    if (code == Code::Name) {
        AssignLowerCase(m_currentLayer, value);
        m_layers.SetOn(m_currentLayer, true);
    } else if (code == Code::Colour) {
        // A negative colour number is how DXF marks a layer switched off.
        m_layers.SetOn(m_currentLayer, ParseDxfInt(value) >= 0);
    }
}

void DxfReader::HandleBlock(int code, std::string_view value) {
    switch (code) {
        case Code::Name:
            AssignLowerCase(m_blockName, value);
            break;
        case Code::X:
            m_blockBase.setX(Number(value));
            break;
        case Code::Y:
            m_blockBase.setY(Number(value));
            break;
        default:
            break;
    }
}

void DxfReader::FinishEntity() {
    if (m_readingBlockHeader) {
        m_readingBlockHeader = false;
        // A block without a name cannot be placed, and a second
        // definition of a name keeps the first.
        m_block = nullptr;
        if (m_blockName.empty()) return;
        const auto [block, made] = m_blocks.try_emplace(m_blockName);
        if (made) {
            block->second.base = m_blockBase;
            m_block = &block->second;
        }
        return;
    }
    FinishVertex();
    DxfEntity& entity = m_entity;
    const DxfEntityType type = entity.type;
    entity.type = DxfEntityType::None;
    if (type == DxfEntityType::None || type == DxfEntityType::Layer) return;
    if (entity.hidden) {
        if (m_ignored && !m_block && m_section == Section::Entities)
            m_ignored->CountKind(kInvisible);
        return;
    }
    entity.type = type;
    DxfItem item{DxfItem::Kind::Outline, std::move(entity.layer), entity.hasLayer, {}, {}, {}};
    if (type == DxfEntityType::Insert) {
        item.kind = DxfItem::Kind::Insert;
        item.insert = std::move(entity.insert);
        item.insert.normal = entity.normal;
        Deliver(std::move(item));
    } else if (type == DxfEntityType::Polyline &&
               (entity.flags & (DxfPolylineFlag::PolygonMesh | DxfPolylineFlag::PolyfaceMesh))) {
        item.kind = DxfItem::Kind::Ignored;
        item.ignored = kPolylineMesh;
        Deliver(std::move(item));
    } else {
        for (Path& outline : MakeDxfEntityOutlines(entity)) {
            DxfItem piece{DxfItem::Kind::Outline, item.layer, item.hasLayer,
                          std::move(outline),     {},         {}};
            Deliver(std::move(piece));
        }
    }
    entity.type = DxfEntityType::None;
}

void DxfReader::Deliver(DxfItem&& item) {
    if (m_block) {
        m_block->items.push_back(std::move(item));
    } else if (m_section == Section::Entities) {
        if (m_paperSpace) {
            if (m_ignored) m_ignored->CountKind(kPaperSpace);
            return;
        }
        m_placer.Place(std::move(item));
    }
}

}  // namespace

DxfContent ReadDxf(QByteArrayView text, EntityTally* ignored, size_t maxPlacements) {
    return DxfReader(text, ignored, maxPlacements).Read();
}

std::vector<Path> ReadDxfPaths(QByteArrayView text, EntityTally* ignored) {
    return ReadDxf(text, ignored).paths;
}

}  // namespace velora
