// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_reader.h"

#include "core/import/dxf_entity.h"
#include "core/import/dxf_numbers.h"
#include "core/import/dxf_pairs.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

namespace velora {

namespace {

// Group codes the reader knows.
namespace Code {
constexpr int EntityStart = 0;
constexpr int Name = 2;
constexpr int Layer = 8;
constexpr int X = 10;
constexpr int X2 = 11;
constexpr int Y = 20;
constexpr int Y2 = 21;
constexpr int Radius = 40;
constexpr int Bulge = 42;
constexpr int StartAngle = 50;
constexpr int EndAngle = 51;
constexpr int Visibility = 60;
constexpr int Colour = 62;
constexpr int Flags = 70;
}  // namespace Code

enum class Section { BeforeEntities, Entities, AfterEntities };

float ParseCoordinate(std::string_view value) { return static_cast<float>(ParseDxfDouble(value)); }

// The group codes of one point's X and Y.
struct CoordinateCodes {
    int x;
    int y;
};
constexpr CoordinateCodes kFirstPoint{Code::X, Code::Y};
constexpr CoordinateCodes kSecondPoint{Code::X2, Code::Y2};

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

// Layer names (lower case) with their switched-on flag. Asking for a layer
// that the table does not name records it as switched off.
class DxfLayerTable {
public:
    bool IsOn(std::string_view name) { return Flag(name) != 0; }
    void SetOn(std::string_view name, bool on) { Flag(name) = on ? 1 : 0; }

private:
    int& Flag(std::string_view name) {
        AssignLowerCase(m_key, name);
        return m_flags.try_emplace(m_key, 0).first->second;
    }

    std::unordered_map<std::string, int> m_flags;
    std::string m_key;
};

// The reading state machine: sections, the entity being read, visibility
// and the layer table.
class DxfReader {
public:
    DxfReader(QByteArrayView text, EntityTally* ignored) : m_pairs(text), m_ignored(ignored) {}
    std::vector<Path> Read();

private:
    void UpdateSection(std::string_view value);
    bool StartEntity(std::string_view value);
    void HandleGroup(const DxfPair& pair);
    void Hide();
    void FinishEntity();

    void HandleLine(int code, std::string_view value);
    void HandleCircle(int code, std::string_view value);
    void HandleArc(int code, std::string_view value);
    void HandlePolyline(int code, std::string_view value);
    void HandleSpline(int code, std::string_view value);
    void HandleLayer(int code, std::string_view value);

    DxfPairReader m_pairs;
    EntityTally* m_ignored;
    DxfPair m_pair;
    DxfEntity m_entity;
    DxfLayerTable m_layers;
    std::string m_currentLayer;
    Section m_section = Section::BeforeEntities;
    bool m_visible = true;
    std::vector<Path> m_paths;
};

std::vector<Path> DxfReader::Read() {
    bool more = m_pairs.Next(m_pair);
    while (more) {
        UpdateSection(m_pair.value);
        if (m_pair.code != Code::EntityStart) {
            more = m_pairs.Next(m_pair);
            continue;
        }
        FinishEntity();
        if (m_section == Section::AfterEntities) return std::move(m_paths);
        if (!StartEntity(m_pair.value)) {
            if (m_ignored && m_section == Section::Entities) m_ignored->Count(m_pair.value);
            more = m_pairs.Next(m_pair);
            continue;
        }
        while ((more = m_pairs.Next(m_pair)) && m_pair.code != Code::EntityStart) {
            HandleGroup(m_pair);
        }
    }
    // A text that ends without a final "0" group still has its last entity.
    FinishEntity();
    return std::move(m_paths);
}

void DxfReader::UpdateSection(std::string_view value) {
    if (EqualsKeyword(value, "entities")) {
        m_section = Section::Entities;
    } else if (m_section == Section::Entities && EqualsKeyword(value, "endsec")) {
        m_section = Section::AfterEntities;
    }
}

bool DxfReader::StartEntity(std::string_view value) {
    m_visible = true;
    m_currentLayer.clear();
    // Lines and arcs before the entities section belong to block
    // definitions; the other types are taken from there too.
    const bool inBlocks = m_section == Section::BeforeEntities;
    DxfEntityType type = DxfEntityType::None;
    if (EqualsKeyword(value, "line") && !inBlocks) {
        type = DxfEntityType::Line;
    } else if (EqualsKeyword(value, "arc") && !inBlocks) {
        type = DxfEntityType::Arc;
    } else if (EqualsKeyword(value, "layer")) {
        type = DxfEntityType::Layer;
    } else if (EqualsKeyword(value, "circle")) {
        type = DxfEntityType::Circle;
    } else if (EqualsKeyword(value, "lwpolyline")) {
        type = DxfEntityType::LwPolyline;
    } else if (EqualsKeyword(value, "spline")) {
        type = DxfEntityType::Spline;
    }
    m_entity.Reset(type);
    switch (type) {
        case DxfEntityType::Line:
        case DxfEntityType::Circle:
            m_entity.points.resize(2);
            break;
        case DxfEntityType::Arc:
            m_entity.points.resize(3);
            break;
        default:
            break;
    }
    return type != DxfEntityType::None;
}

void DxfReader::Hide() {
    m_entity.points.clear();
    m_entity.type = DxfEntityType::None;
}

void DxfReader::HandleGroup(const DxfPair& pair) {
    if (pair.code == Code::Visibility) {
        m_visible = pair.value == "0";
        if (!m_visible) Hide();
        return;
    }
    if (pair.code == Code::Layer) {
        m_visible = m_layers.IsOn(pair.value);
        if (!m_visible) Hide();
        return;
    }
    if (!m_visible) return;
    switch (m_entity.type) {
        case DxfEntityType::Line:
            HandleLine(pair.code, pair.value);
            break;
        case DxfEntityType::Arc:
            HandleArc(pair.code, pair.value);
            break;
        case DxfEntityType::Circle:
            HandleCircle(pair.code, pair.value);
            break;
        case DxfEntityType::LwPolyline:
            HandlePolyline(pair.code, pair.value);
            break;
        case DxfEntityType::Spline:
            HandleSpline(pair.code, pair.value);
            break;
        case DxfEntityType::Layer:
            HandleLayer(pair.code, pair.value);
            break;
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
    if (code == Code::Radius) points[1].x = points[1].y = ParseCoordinate(value);
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

void DxfReader::HandlePolyline(int code, std::string_view value) {
    std::vector<ShapePoint>& records = m_entity.points;
    if (AddListCoordinate(records, kFirstPoint, code, value)) return;
    if (code == Code::Bulge) {
        records.push_back({0, 0, Code::Bulge, ParseDxfDouble(value)});
    } else if (code == Code::Flags) {
        // Only the plain closed flag closes; combined flags leave the
        // polyline open.
        m_entity.closed = ParseDxfInt(value) == 1;
    }
}

void DxfReader::HandleSpline(int code, std::string_view value) {
    // Fit points come under the second point's codes, control points under
    // the first's.
    if (!AddListCoordinate(m_entity.points, kSecondPoint, code, value)) {
        AddListCoordinate(m_entity.controlPoints, kFirstPoint, code, value);
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

void DxfReader::FinishEntity() {
    if (std::optional<Path> path = MakeDxfEntityPath(m_entity)) {
        m_paths.push_back(std::move(*path));
    }
    m_entity.type = DxfEntityType::None;
}

}  // namespace

void EntityTally::Count(std::string_view type) {
    // Longer than any real type name; a damaged file may have anything here.
    constexpr size_t kLongestName = 40;
    QString name = QString::fromLatin1(type.substr(0, kLongestName)).trimmed().toUpper();
    if (name == QLatin1String("VERTEX") || name == QLatin1String("SEQEND") ||
        name == QLatin1String("ATTRIB")) {
        return;
    }
    const auto entryOf = [this](const QString& wanted) {
        return std::find_if(m_counts.begin(), m_counts.end(),
                            [&](const auto& counted) { return counted.first == wanted; });
    };
    auto known = entryOf(name);
    if (known == m_counts.end() && m_counts.size() >= kMaxTypes) {
        name = QStringLiteral("other");
        known = entryOf(name);
    }
    if (known == m_counts.end()) {
        m_counts.emplace_back(name, 1);
    } else {
        ++known->second;
    }
}

std::vector<Path> ReadDxfPaths(QByteArrayView text, EntityTally* ignored) {
    return DxfReader(text, ignored).Read();
}

}  // namespace velora
