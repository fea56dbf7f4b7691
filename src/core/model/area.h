#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace velora {

// A named group of region names, the unit a design colours with its image.
// Copies share the image data until one of them changes it, which is as good
// as the clone the original made.
class CArea {
public:
    CArea() = default;
    virtual ~CArea() = default;

    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }

    const QStringList& Names() const { return m_names; }
    int NameCount() const { return static_cast<int>(m_names.size()); }
    void AddName(const QString& name) { m_names.append(name); }
    bool HasName(const QString& name) const { return m_names.contains(name); }
    // Removes every occurrence; returns how many were removed.
    int RemoveName(const QString& name) { return static_cast<int>(m_names.removeAll(name)); }
    void SetNames(QStringList names) { m_names = std::move(names); }

    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }

    // Null image = no image.
    const QImage& GetImage() const { return m_image; }
    bool HasImage() const { return !m_image.isNull(); }
    void SetImage(QImage image) { m_image = std::move(image); }

    // Before loading: no image, no names, empty name.
    void Reset();

private:
    QStringList m_names;
    bool m_changed = true;
    QImage m_image;
    QString m_name;
};

}  // namespace velora
