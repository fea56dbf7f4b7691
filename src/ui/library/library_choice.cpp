#include "ui/library/library_choice.h"

#include "core/common/library_folders.h"

#include <QFileDialog>

namespace velora {

namespace {
struct LibraryFacts {
    QString folder;
    QString caption;
    QString filter;
    QString suffix;
};

LibraryFacts FactsOf(LibraryKind kind) {
    const LibraryFolders& folders = CurrentLibraryFolders();
    if (kind == LibraryKind::Templates) {
        return {folders.templates, QObject::tr("Select template"),
                QObject::tr("Velora template(*.mtp)"), QStringLiteral("mtp")};
    }
    return {folders.veloras, QObject::tr("Select velora"), QObject::tr("Velora(*.vld)"),
            QStringLiteral("vld")};
}

std::optional<QString> RunDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}
}  // namespace

std::optional<QString> ChooseLibrarySavePath(LibraryKind kind, QWidget* owner) {
    const LibraryFacts facts = FactsOf(kind);
    QFileDialog dialog(owner, facts.caption, facts.folder, facts.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(facts.suffix);
    return RunDialog(dialog);
}

std::optional<QString> ChooseLibraryTemplate(QWidget* owner) {
    const LibraryFacts facts = FactsOf(LibraryKind::Templates);
    QFileDialog dialog(owner, facts.caption, facts.folder, facts.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunDialog(dialog);
}

}  // namespace velora
