// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace velora {

class IUserInterface;

enum class LibraryKind { Templates, Veloras };

// Where documents are picked from and saved into their libraries: the
// template and velora library dialogs. The user is told through `user`
// what a dialog cannot do.

// Save mode: the full path of the file to write, nullopt on Cancel.
std::optional<QString> ChooseLibrarySavePath(LibraryKind kind, IUserInterface& user,
                                             QWidget* owner);
// Pick mode: the template file to load into a design, nullopt on Cancel.
std::optional<QString> ChooseLibraryTemplate(IUserInterface& user, QWidget* owner);

}  // namespace velora
