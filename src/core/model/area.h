// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/stored_image.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

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

    // Null image = no image. An image loaded from a file is decoded by the
    // first of these calls, and is no image if that fails (see StoredImage).
    const QImage& GetImage() const;
    bool HasImage() const { return !GetImage().isNull(); }
    // The image's size without decoding a loaded image; invalid when there
    // is no image.
    QSize ImageSize() const;
    // Replaces the image; giving back the loaded image itself keeps it as
    // loaded.
    void SetImage(QImage image);
    // The image as a file holds it, decoded when first needed.
    void SetStoredImage(std::shared_ptr<const StoredImage> stored);
    // Takes the other area's image as it stands, loaded or not; both then
    // hold one image, decoded and converted once.
    void ShareImage(const CArea& other) { SetImageRef(other.GetImageRef()); }
    // The image as the area holds it, loaded or not: a reference, not a copy,
    // that gives the same image back, saved the same way.
    struct ImageRef {
        QImage image;
        std::shared_ptr<const StoredImage> stored;
        bool operator==(const ImageRef& other) const {
            return stored == other.stored && image.cacheKey() == other.image.cacheKey();
        }
    };
    ImageRef GetImageRef() const { return {m_image, m_stored}; }
    void SetImageRef(ImageRef image) {
        m_image = std::move(image.image);
        m_stored = std::move(image.stored);
    }
    // The loaded image while it is still the area's image and has not failed
    // to decode; null otherwise.
    const StoredImage* GetStoredImage() const;

    // Before loading: no image, no names, empty name.
    void Reset();

private:
    QStringList m_names;
    bool m_changed = true;
    QImage m_image;                               // when not loaded
    std::shared_ptr<const StoredImage> m_stored;  // when loaded
    QString m_name;
};

}  // namespace velora
