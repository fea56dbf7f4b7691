// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/json_writer.h"

namespace velora::cli {

QString JsonWriter::Quote(const QString& text) {
    QString quoted = "\"";
    for (const QChar c : text) {
        switch (c.unicode()) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                if (c.unicode() < 0x20) {
                    quoted += QString::asprintf("\\u%04x", c.unicode());
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

void JsonWriter::Member(const QString& key) {
    if (m_levels.empty()) return;
    Level& level = m_levels.back();
    if (!level.empty) m_text += level.isArray && level.inlineValues ? ", " : ",";
    if (!level.isArray || !level.inlineValues) {
        m_text += "\n" + QString(2 * static_cast<int>(m_levels.size()), ' ');
    }
    level.empty = false;
    if (!level.isArray) m_text += Quote(key) + ": ";
}

void JsonWriter::Open(const QString& key, QChar bracket, bool isArray) {
    if (!m_levels.empty() && m_levels.back().isArray && m_levels.back().empty) {
        // An array of objects or arrays lists one element per line.
        m_levels.back().inlineValues = false;
    }
    Member(key);
    m_text += bracket;
    m_levels.push_back({isArray, true, isArray});
}

void JsonWriter::Close(QChar bracket) {
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (!level.empty && !(level.isArray && level.inlineValues)) {
        m_text += "\n" + QString(2 * static_cast<int>(m_levels.size()), ' ');
    }
    m_text += bracket;
}

JsonWriter& JsonWriter::BeginObject(const QString& key) {
    Open(key, '{', false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    Close('}');
    return *this;
}

JsonWriter& JsonWriter::BeginArray(const QString& key) {
    Open(key, '[', true);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    Close(']');
    return *this;
}

JsonWriter& JsonWriter::Value(const QString& key, const QString& text) {
    Member(key);
    m_text += Quote(text);
    return *this;
}

JsonWriter& JsonWriter::Value(const QString& key, qint64 number) {
    Member(key);
    m_text += QString::number(number);
    return *this;
}

JsonWriter& JsonWriter::Value(const QString& key, bool flag) {
    Member(key);
    m_text += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null(const QString& key) {
    Member(key);
    m_text += "null";
    return *this;
}

JsonWriter& JsonWriter::Element(const QString& text) { return Value({}, text); }

JsonWriter& JsonWriter::Element(qint64 number) { return Value({}, number); }

}  // namespace velora::cli
