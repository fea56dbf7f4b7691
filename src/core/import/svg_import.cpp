// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/svg_import.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/import/entity_tally.h"
#include "core/import/recorded_drawing.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"

#include <QCoreApplication>
#include <QHash>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <algorithm>
#include <vector>

#include <zlib.h>

namespace velora {

namespace {

bool IsGzip(const QByteArray& bytes) {
    return bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0x1F &&
           static_cast<uint8_t>(bytes[1]) == 0x8B;
}

QByteArray Gunzip(const QByteArray& bytes) {
    z_stream zip{};
    if (inflateInit2(&zip, 16 + MAX_WBITS) != Z_OK) {
        throw FormatError(
            QCoreApplication::translate("velora", "the compressed drawing cannot be unpacked"));
    }
    QByteArray text;
    zip.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    zip.avail_in = static_cast<uInt>(bytes.size());
    int status = Z_OK;
    char chunk[1 << 16];
    while (status == Z_OK) {
        zip.next_out = reinterpret_cast<Bytef*>(chunk);
        zip.avail_out = sizeof chunk;
        status = inflate(&zip, Z_NO_FLUSH);
        text.append(chunk, static_cast<qsizetype>(sizeof chunk - zip.avail_out));
        if (text.size() > kMaxSvgTextBytes) status = Z_MEM_ERROR;
    }
    inflateEnd(&zip);
    if (text.size() > kMaxSvgTextBytes) {
        throw FormatError(
            QCoreApplication::translate("velora", "the compressed drawing unpacks to more than %1")
                .arg(ByteCountText(kMaxSvgTextBytes)));
    }
    if (status != Z_STREAM_END) {
        throw FormatError(
            QCoreApplication::translate("velora", "the compressed drawing is damaged"));
    }
    return text;
}

// The elements of a drawing in document order, each with the extent of its
// subtree and, for a "use", the element it repeats.
struct SvgTree {
    struct Element {
        int end = 0;      // one past the last element of its subtree
        int target = -1;  // the element a "use" repeats
    };
    std::vector<Element> elements;
    std::vector<int> uses;  // indices of the "use" elements, in order
};

// Nullopt when the elements nest deeper than kMaxSvgDepth.
std::optional<SvgTree> ReadSvgTree(const QByteArray& text) {
    SvgTree tree;
    QHash<QString, int> ids;
    std::vector<std::pair<int, QString>> references;
    std::vector<int> open;
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const int index = static_cast<int>(tree.elements.size());
            tree.elements.push_back({});
            open.push_back(index);
            if (open.size() > static_cast<size_t>(kMaxSvgDepth)) return std::nullopt;
            const QXmlStreamAttributes attributes = xml.attributes();
            const QString id = attributes.value(QLatin1String("id")).toString();
            if (!id.isEmpty()) ids.insert(id, index);
            if (xml.name() == QLatin1String("use")) {
                QString href =
                    attributes
                        .value(QLatin1String("http://www.w3.org/1999/xlink"), QLatin1String("href"))
                        .toString();
                if (href.isEmpty()) href = attributes.value(QLatin1String("href")).toString();
                if (href.startsWith('#')) references.emplace_back(index, href.mid(1));
            }
        } else if (token == QXmlStreamReader::EndElement && !open.empty()) {
            tree.elements[open.back()].end = static_cast<int>(tree.elements.size());
            open.pop_back();
        }
    }
    // A text that ends early closes what is open.
    for (int index : open) tree.elements[index].end = static_cast<int>(tree.elements.size());
    for (const auto& [use, id] : references) {
        const auto found = ids.constFind(id);
        if (found == ids.constEnd()) continue;
        tree.elements[use].target = *found;
        tree.uses.push_back(use);
    }
    std::sort(tree.uses.begin(), tree.uses.end());
    return tree;
}

// Counts the elements painted, each use repeating its element's subtree,
// giving up as soon as the count passes the limit.
class SvgExpansion {
public:
    explicit SvgExpansion(const SvgTree& tree)
        : m_tree(tree), m_total(tree.elements.size(), -1), m_visiting(tree.elements.size(), 0) {}

    // -1 when past the limit or repeated through more than kMaxSvgDepth uses.
    qint64 Total(int element, int depth = 0) {
        if (m_total[element] >= 0) return m_total[element];
        // A use that repeats its own ancestor is not drawn.
        if (m_visiting[element]) return 0;
        if (depth > kMaxSvgDepth) return -1;
        m_visiting[element] = 1;
        const int end = m_tree.elements[element].end;
        qint64 total = end - element;
        const auto first = std::lower_bound(m_tree.uses.begin(), m_tree.uses.end(), element);
        for (auto use = first; use != m_tree.uses.end() && *use < end && total >= 0; ++use) {
            const qint64 repeated = Total(m_tree.elements[*use].target, depth + 1);
            total = repeated < 0 || total + repeated > kMaxSvgElements ? -1 : total + repeated;
        }
        m_visiting[element] = 0;
        if (total >= 0) m_total[element] = total;
        return total;
    }

private:
    const SvgTree& m_tree;
    std::vector<qint64> m_total;
    std::vector<char> m_visiting;
};

}  // namespace

QByteArray SvgText(const QByteArray& bytes) { return IsGzip(bytes) ? Gunzip(bytes) : bytes; }

QString SvgComplexityRefusal(const QByteArray& text) {
    const std::optional<SvgTree> tree = ReadSvgTree(text);
    if (!tree) {
        return QCoreApplication::translate("velora", "its elements nest more than %1 deep")
            .arg(kMaxSvgDepth);
    }
    if (tree->elements.empty()) return {};
    if (SvgExpansion(*tree).Total(0) < 0) {
        return QCoreApplication::translate("velora", "it draws more than %L1 elements")
            .arg(kMaxSvgElements);
    }
    return {};
}

RecordedFigures RecordSvg(const QByteArray& text) {
    if (const QString refusal = SvgComplexityRefusal(text); !refusal.isEmpty()) {
        throw FormatError(
            QCoreApplication::translate("velora", "the drawing is too complex: %1").arg(refusal));
    }
    QSvgRenderer renderer;
    if (!renderer.load(text) || !renderer.isValid()) {
        throw FormatError(QCoreApplication::translate("velora", "is not an SVG drawing"));
    }
    QSizeF size = renderer.viewBoxF().size();
    if (size.isEmpty()) size = renderer.defaultSize();
    return RecordDrawing(
        size, [&](QPainter& painter, const QRectF& bounds) { renderer.render(&painter, bounds); });
}

void LoadSvgFile(CDrawingModel& model, const QString& path, EntityTally* ignored) {
    model.Clear();
    const QByteArray bytes = ReadDrawingFile(path, kMaxSvgFileBytes);
    EntityTally leftOut;
    RecordedFigures figures = RecordSvg(SvgText(bytes));
    const double unitsPerDrawingUnit = figures.unitsPerDrawingUnit;
    ConvertRecordedFigures(model, std::move(figures), leftOut);
    if (ignored) *ignored = leftOut;
    SizeDrawing(model, unitsPerDrawingUnit);
}

}  // namespace velora
