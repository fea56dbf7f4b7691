// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/mosvel_app.h"

#include "core/common/errors.h"
#include "core/common/library_folders.h"
#include "core/common/path_parts.h"
#include "core/import/import_file.h"
#include "core/model/drawing_model.h"
#include "core/starter/starter_library.h"
#include "ui/app/about_dlg.h"
#include "ui/app/action_table.h"
#include "ui/app/child_frames.h"
#include "ui/app/command_router.h"
#include "ui/app/document_manager.h"
#include "ui/app/main_frame.h"
#include "ui/app/starter_offer.h"
#include "ui/controls/command_ids.h"
#include "ui/controls/dialog_frame.h"
#include "ui/controls/notice_bar.h"
#include "ui/documents/mosvel_template_doc.h"
#include "ui/exchange/connection_dlg.h"
#include "ui/exchange/download_dlg.h"
#include "ui/exchange/send_dlg.h"
#include "ui/views/mosvel_view_base.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>

namespace velora {

namespace {
// The filters of the Open dialog. Drawings are offered by the formats the
// import reads; the first filter holds every file Velora opens.
QString OpenFilter() {
    QStringList drawings;
    for (const QString& extension : DrawingExtensions()) drawings += "*." + extension;
    QStringList all{QStringLiteral("*.mtp"), QStringLiteral("*.wmf"), QStringLiteral("*.dxf"),
                    QStringLiteral("*.vld")};
    for (const QString& pattern : drawings) {
        if (!all.contains(pattern)) all += pattern;
    }
    return QCoreApplication::translate("velora",
                                       "All available formats(%1);;Velora(*.vld);;Velora "
                                       "template(*.mtp);;WMF files(*.wmf);;DXF "
                                       "files(*.dxf);;Drawings (%2);;All files(*)")
        .arg(all.join(' '), drawings.join(' '));
}

QString ExtensionOf(const QString& path) { return GetPathExt(path).toLower(); }

ICommandTarget* AsTarget(QObject* object) { return dynamic_cast<ICommandTarget*>(object); }
}  // namespace

CMosvelApp::CMosvelApp(QObject* parent) : QObject(parent) {}

CMosvelApp::~CMosvelApp() {
    // The windows go before the documents they show.
    m_mainFrame.reset();
}

const CommandMap<CMosvelApp>& CMosvelApp::Commands() {
    using A = CMosvelApp;
    static const CommandMap<A> map{
        {cmd::kAppAbout, &A::OnAppAbout},   {cmd::kFileNew, &A::OnFileNew},
        {cmd::kNewVelora, &A::OnNewVelora}, {cmd::kNewTemplate, &A::OnNewTemplate},
        {cmd::kFileOpen, &A::OnFileOpen},   {cmd::kFilePrintSetup, &A::OnFilePrintSetup},
        {cmd::kAppExit, &A::OnAppExit},     {cmd::kConnectionSetup, &A::OnConnectionSetup},
        {cmd::kDownload, &A::OnDownload},   {cmd::kSendToServer, &A::OnSendToServer},
    };
    return map;
}

bool CMosvelApp::HasCommandHandler(int id) const {
    const bool recent = id >= cmd::kFileMruFirst && id <= cmd::kFileMruLast;
    return recent || MappedCommandTarget<CMosvelApp>::HasCommandHandler(id);
}

bool CMosvelApp::RunCommand(int id) {
    if (id >= cmd::kFileMruFirst && id <= cmd::kFileMruLast) {
        OpenRecentFile(id - cmd::kFileMruFirst);
        return true;
    }
    return MappedCommandTarget<CMosvelApp>::RunCommand(id);
}

bool CMosvelApp::UpdateCommand(int id, CommandUpdate& update) {
    if (id >= cmd::kFileMruFirst && id <= cmd::kFileMruLast) {
        update.Enable(id - cmd::kFileMruFirst < m_recentFiles.Paths().size());
        return true;
    }
    return MappedCommandTarget<CMosvelApp>::UpdateCommand(id, update);
}

// --- start-up and exit -------------------------------------------------------------

bool CMosvelApp::InitInstance(const QStringList& files) {
    QSettings store(SettingsOrganization(), SettingsApplication());
    // The file may hold server passwords from an earlier run.
    RestrictSettingsFile(store);
    m_settings = LoadSettingsRecord(store, QDir::currentPath(), m_keyring);
    m_recentFiles.Read(store);
    SetCurrentLibraryFolders(m_settings.folders);
    CreateFolders();

    m_actions = std::make_unique<CommandActions>();
    m_mainFrame = std::make_unique<CMainFrame>(*m_actions);
    m_mainFrame->setWindowIcon(QIcon(QStringLiteral(":/icons/velora.svg")));
    m_user.SetOwner(m_mainFrame.get());
    m_mainFrame->SetUserInterface(&m_user);
    m_documents = new DocumentManager(*m_mainFrame->MdiArea(), m_user, this);
    m_router = std::make_unique<CommandRouter>([this] {
        CommandRouter::Chain chain;
        if (DocumentFrame* frame = m_mainFrame->ActiveFrame()) {
            chain.push_back(AsTarget(frame->View()));
            chain.push_back(AsTarget(frame->Document()));
            chain.push_back(frame);
        }
        chain.push_back(m_mainFrame.get());
        chain.push_back(this);
        return chain;
    });
    m_mainFrame->SetRouter(m_router.get());
    m_mainFrame->SetDocumentManager(m_documents);
    connect(m_actions.get(), &CommandActions::commandTriggered, this, &CMosvelApp::DispatchCommand);
    connect(m_documents, &DocumentManager::pathAdded, this, &CMosvelApp::RememberPath);
    connect(m_mainFrame.get(), &CMainFrame::filesDropped, this, [this](const QStringList& paths) {
        for (const QString& path : paths) OpenDocumentFile(path);
    });
    connect(m_mainFrame.get(), &CMainFrame::productPageRequested, this,
            [](const QUrl& url) { QDesktopServices::openUrl(url); });
    ShowRecentFiles();

    // The window shows first, so the size dialog of a drawing named on the
    // command line has it behind. A first start fills the screen; later ones
    // find the window as it was left.
    if (m_mainFrame->RestoreLayout(store)) {
        m_mainFrame->show();
    } else {
        m_mainFrame->showMaximized();
    }
    if (AreLibrariesEmpty(m_settings.folders)) OfferStarterLibrary();
    for (const QString& file : files) {
        if (IsDrawingFile(file)) {
            OpenFile(file);
        } else {
            OpenDocumentFile(file);
        }
    }
    m_mainFrame->UpdateCommandUi();
    return true;
}

// A first start has nothing to try; the offer waits above the documents.
void CMosvelApp::OfferStarterLibrary() {
    auto* offer = new CStarterOffer(m_settings.folders, m_user, m_mainFrame.get());
    connect(offer, &CStarterOffer::added, m_mainFrame.get(), [this](int files) {
        m_mainFrame->ReloadTextures();
        m_mainFrame->statusBar()->showMessage(
            tr("The starter library was added (%1 files). Try File > New velora, then Template > "
               "Select template...")
                .arg(files));
    });
    m_mainFrame->AddNotice(offer);
}

// A folder that cannot be made is met by whoever uses it.
void CMosvelApp::CreateFolders() {
    const LibraryFolders& folders = m_settings.folders;
    for (const QString& folder :
         {folders.templates, folders.textures, folders.veloras, folders.exportFolder}) {
        QDir().mkdir(folder);
    }
}

void CMosvelApp::ExitInstance() {
    SaveRecentFiles();
    SaveSettings();
}

// Written as soon as they change, so that a crash loses neither the
// connection setup nor the recent files.
void CMosvelApp::SaveSettings() {
    QSettings store(SettingsOrganization(), SettingsApplication());
    StoreSettingsRecord(store, m_settings, m_keyring);
}

void CMosvelApp::SaveRecentFiles() {
    QSettings store(SettingsOrganization(), SettingsApplication());
    m_recentFiles.Write(store);
    store.sync();
}

// Qt cannot pass an exception through its event loop; a command that runs out
// of memory, or fails in a way its handler did not foresee, ends here in a
// message instead of ending the program. The loads and saves behind commands
// change a document only once they have succeeded.
void CMosvelApp::DispatchCommand(int id) {
    try {
        m_router->Route(id);
    } catch (const UserAlreadyToldError&) {
    } catch (const std::exception& error) {
        m_user.ShowMessage(FailureText(error), MessageIcon::Error, {});
    }
    if (m_mainFrame) m_mainFrame->UpdateCommandUi();
}

// --- new documents -------------------------------------------------------------------

DocumentBase* CMosvelApp::NewDocument(int kind, const QString& title) {
    DocumentBase* document = m_documents->CreateDocument(
        kind == kDesignDocument ? DocumentKind::Design : DocumentKind::Template);
    document->SetTitle(title);
    m_documents->InitialUpdateFrame(*m_documents->CreateFrame(*document));
    return document;
}

void CMosvelApp::OnNewVelora() {
    NewDocument(kDesignDocument, QStringLiteral("Velora%1").arg(m_veloraCounter++));
}

void CMosvelApp::OnNewTemplate() {
    NewDocument(kTemplateDocument, QStringLiteral("Template%1").arg(m_newTemplateCounter++));
}

// --- opening ---------------------------------------------------------------------------

void CMosvelApp::OnFileOpen() {
    QFileDialog dialog(m_mainFrame.get(), tr("Open"), QString(), OpenFilter());
    ShowCloseButtonOnly(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (m_firstOpen) dialog.setDirectory(m_settings.folders.templates);
    m_firstOpen = false;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    OpenFile(dialog.selectedFiles().constFirst());
}

DocumentBase* CMosvelApp::OpenFile(const QString& path) {
    const QString extension = ExtensionOf(path);
    if (extension == QLatin1String(".vld"))
        return LoadIntoNewDocument(kDesignDocument, path, false);
    if (extension == QLatin1String(".mtp")) {
        return LoadIntoNewDocument(kTemplateDocument, path, false);
    }
    if (IsDrawingFile(path)) return LoadIntoNewDocument(kTemplateDocument, path, true);
    m_user.ShowMessage(tr("%1 cannot be opened: Velora opens veloras (.vld), templates (.mtp) "
                          "and drawings (.%2).")
                           .arg(QFileInfo(path).fileName(), DrawingExtensions().join(", .")),
                       MessageIcon::Warning, {});
    return nullptr;
}

DocumentBase* CMosvelApp::OpenDocumentFile(const QString& path) {
    if (DocumentBase* open = m_documents->FindByPath(path)) {
        const QList<DocumentFrame*> frames = m_documents->FramesOf(*open);
        if (!frames.isEmpty()) m_mainFrame->MdiArea()->setActiveSubWindow(frames.first());
        return open;
    }
    const QString extension = ExtensionOf(path);
    if (extension != QLatin1String(".vld") && extension != QLatin1String(".mtp")) {
        m_user.ShowMessage(tr("%1 is not a velora (.vld) or template (.mtp) file. Drawings are "
                              "imported with File / Open.")
                               .arg(QFileInfo(path).fileName()),
                           MessageIcon::Warning, {});
        return nullptr;
    }
    return OpenFile(path);
}

// The document and its frame are made first, so the import can show the
// drawing's progress over the main window; anything that fails takes both
// away again and leaves nothing half open.
DocumentBase* CMosvelApp::LoadIntoNewDocument(int kind, const QString& path, bool drawing) {
    DocumentBase* document = m_documents->CreateDocument(
        kind == kDesignDocument ? DocumentKind::Design : DocumentKind::Template);
    DocumentFrame* frame = m_documents->CreateFrame(*document);
    frame->View()->SetRenderPending(true);
    // Named by its file while it loads, so that the windows and what an
    // import asks on the way say which file it is.
    document->SetTitle(QFileInfo(path).fileName());
    const bool loaded = drawing ? static_cast<CMosvelTemplateDoc*>(document)->ImportDrawing(path)
                                : document->OnOpenDocument(path);
    if (!loaded) {
        m_documents->Discard(*document);
        return nullptr;
    }
    m_documents->InitialUpdateFrame(*frame);
    if (drawing) {
        document->SetTitle(QStringLiteral("Template%1").arg(m_importCounter++));
        document->SetModifiedFlag(true);
        ShowImportNotice(*frame, static_cast<CMosvelTemplateDoc*>(document)->ImportNotice());
    } else {
        document->SetPathName(path);
    }
    return document;
}

// In the status bar, where it replaces what an earlier import said, and
// above the template, where it stays until dismissed.
void CMosvelApp::ShowImportNotice(DocumentFrame& frame, const QString& notice) {
    if (notice.isEmpty()) {
        m_mainFrame->statusBar()->clearMessage();
        return;
    }
    m_mainFrame->statusBar()->showMessage(notice);
    frame.View()->Notice().ShowNotice(notice);
}

void CMosvelApp::OpenRecentFile(int index) {
    if (index < 0 || index >= m_recentFiles.Paths().size()) return;
    const QString path = m_recentFiles.Paths()[index];
    if (!OpenDocumentFile(path)) {
        // A file that cannot be opened any more leaves the list.
        m_recentFiles.Remove(index);
        ShowRecentFiles();
        SaveRecentFiles();
    }
}

void CMosvelApp::RememberPath(const QString& path) {
    m_recentFiles.Add(path);
    ShowRecentFiles();
    SaveRecentFiles();
}

void CMosvelApp::ShowRecentFiles() { m_recentFiles.ShowIn(*m_actions); }

// --- the rest ----------------------------------------------------------------------------

void CMosvelApp::OnAppAbout() {
    CAboutDlg dialog(m_mainFrame.get());
    dialog.exec();
}

void CMosvelApp::OnFilePrintSetup() {
    QPrinter printer;
    QPageSetupDialog dialog(&printer, m_mainFrame.get());
    ShowCloseButtonOnly(dialog);
    dialog.exec();
}

void CMosvelApp::OnAppExit() { m_mainFrame->close(); }

// --- server exchange ------------------------------------------------------------------

void CMosvelApp::OnConnectionSetup() {
    CConnectionDlg dialog(m_settings, m_user, m_mainFrame.get());
    if (dialog.exec() == QDialog::Accepted) SaveSettings();
}

// The download is the main frame's command; the application answers it
// because it holds the settings. Whatever ends the download, the frame then
// reloads its textures, since files may have arrived.
void CMosvelApp::OnDownload() {
    CDownloadDlg dialog(m_settings, m_user, m_mainFrame.get());
    connect(&dialog, &CDownloadDlg::librariesChanged, m_mainFrame.get(),
            [this] { m_mainFrame->ReloadTextures(); });
    dialog.exec();
}

void CMosvelApp::OnSendToServer() {
    CSendDlg dialog(m_settings, m_user, m_mainFrame.get());
    dialog.exec();
}

}  // namespace velora
