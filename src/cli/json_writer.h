// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace velora::cli {

// Writes JSON with keys in the order they are given: objects one member per
// line, arrays of plain values on one line.
class JsonWriter {
public:
    JsonWriter& BeginObject(const QString& key = {});
    JsonWriter& EndObject();
    JsonWriter& BeginArray(const QString& key = {});
    JsonWriter& EndArray();

    JsonWriter& Value(const QString& key, const QString& text);
    JsonWriter& Value(const QString& key, qint64 number);
    JsonWriter& Value(const QString& key, bool flag);
    JsonWriter& Null(const QString& key);
    // Array elements.
    JsonWriter& Element(const QString& text);
    JsonWriter& Element(qint64 number);

    const QString& Text() const { return m_text; }

private:
    struct Level {
        bool isArray = false;
        bool empty = true;
        bool inlineValues = true;
    };
    void Member(const QString& key);
    void Open(const QString& key, QChar bracket, bool isArray);
    void Close(QChar bracket);
    static QString Quote(const QString& text);

    QString m_text;
    std::vector<Level> m_levels;
};

}  // namespace velora::cli
