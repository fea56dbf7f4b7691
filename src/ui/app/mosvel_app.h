// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"
#include "core/exchange/password_store.h"
#include "ui/app/recent_file_list.h"
#include "ui/controls/command_target.h"
#include "ui/documents/desktop_user_interface.h"

#include <QObject>

#include <memory>

namespace velora {

class CMainFrame;
class CommandActions;
class CommandRouter;
class DocumentBase;
class DocumentFrame;
class DocumentManager;

// The desktop program: start-up with the settings and library folders, the
// main window, the application's commands (New velora, Open, About, Exit,
// the recent files) and the settings written back at exit.
class CMosvelApp : public QObject, public MappedCommandTarget<CMosvelApp> {
    Q_OBJECT
public:
    explicit CMosvelApp(QObject* parent = nullptr);
    ~CMosvelApp() override;

    static const CommandMap<CMosvelApp>& Commands();

    // Reads the settings, makes the library folders, creates the main window
    // and opens the files named on the command line.
    bool InitInstance(const QStringList& files);
    // Writes the settings back.
    void ExitInstance();

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    DocumentManager& Documents() const { return *m_documents; }
    const CommandRouter& Router() const { return *m_router; }
    CommandActions& Actions() const { return *m_actions; }
    SettingsRecord& Settings() { return m_settings; }
    const RecentFileList& RecentFiles() const { return m_recentFiles; }
    DesktopUserInterface& User() { return m_user; }

    // Runs a command through the routing and updates every command's state.
    void DispatchCommand(int id);

    // The Open command once a path is chosen: templates, veloras and
    // drawings by extension. The new document, or none.
    DocumentBase* OpenFile(const QString& path);
    // Opening by path (recent files, dropped files): veloras and templates
    // only. An open document with that path is brought forward instead.
    DocumentBase* OpenDocumentFile(const QString& path);

    // Commands
    void OnAppAbout();
    void OnFileNew() {}
    void OnNewVelora();
    void OnNewTemplate();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnConnectionSetup();
    void OnDownload();
    void OnSendToServer();

    // The recent-file commands are a range of ids.
    bool HasCommandHandler(int id) const override;
    bool RunCommand(int id) override;
    bool UpdateCommand(int id, CommandUpdate& update) override;

private:
    void CreateFolders();
    void OfferStarterLibrary();
    DocumentBase* NewDocument(int kind, const QString& title);
    DocumentBase* LoadIntoNewDocument(int kind, const QString& path, bool drawing);
    void ShowImportNotice(DocumentFrame& frame, const QString& notice);
    void OpenRecentFile(int index);
    void RememberPath(const QString& path);
    void ShowRecentFiles();
    void SaveSettings();
    void SaveRecentFiles();

    DesktopUserInterface m_user;
    KeyringStore m_keyring{KeyringService()};
    SettingsRecord m_settings;
    RecentFileList m_recentFiles;
    std::unique_ptr<CommandActions> m_actions;
    std::unique_ptr<CMainFrame> m_mainFrame;
    DocumentManager* m_documents = nullptr;
    std::unique_ptr<CommandRouter> m_router;
    int m_veloraCounter = 1;
    int m_newTemplateCounter = 1;
    int m_importCounter = 1;
    bool m_firstOpen = true;
};

}  // namespace velora
