#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace velora {

enum class LibraryKind { Templates, Veloras };

// Where documents are picked from and saved into their libraries. These are
// the only calls the documents make, so the library dialogs replace them in
// one place.

// Save mode: the full path of the file to write, nullopt on Cancel.
std::optional<QString> ChooseLibrarySavePath(LibraryKind kind, QWidget* owner);
// Pick mode: the template file to load into a design, nullopt on Cancel.
std::optional<QString> ChooseLibraryTemplate(QWidget* owner);

}  // namespace velora
