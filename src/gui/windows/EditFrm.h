#pragma once
// The editor window: the start-up window of the program and the last to close. It
// holds the document in its text pane and carries the menus, the tool strip and
// the status bar from which every command is reached. Its member functions are
// spread by menu: EditFrm.cpp (start-up, shut-down, layout), EditFrmMenus.cpp
// (menus and tool strip), EditFrmDocument.cpp (file commands), EditFrmApps.cpp
// (external applications, browser, help).

#include "core/app/BandLayout.h"
#include "core/app/ExternalApps.h"
#include "core/app/Folders.h"
#include "core/app/RecentFiles.h"
#include "core/app/SettingsStore.h"
#include "core/text/Lines.h"
#include "gui/base/BandStrip.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;

namespace talmir::graphic {
struct PlotTables;
}

namespace talmir {

class CommandGuard;
class Dialogs;
class TextPane;

class EditFrm : public QMainWindow {
    Q_OBJECT
public:
    EditFrm(app::SettingsStore& settings, Dialogs& dialogs, app::Folders folders,
            QWidget* parent = nullptr);
    ~EditFrm() override;

    // Start-up: reads the settings into the window and opens the document named by
    // the command tail (empty: none).
    void Form_Load(const QString& commandTail);

    // What the other windows and commands share.
    TextPane& pane() { return *m_pane; }
    // Hidden pane holding the DXF header template of the DXF writers.
    TextPane& templatePane() { return *m_templatePane; }
    QString documentName() const;  // status panel 1
    void setDocumentName(const QString& name);
    QString statusPanel2() const;
    QProgressBar& progressBar() { return *m_progress; }
    QComboBox& searchBox() { return *m_searchBox; }
    CommandGuard& guard() { return *m_guard; }
    Dialogs& dialogs() { return m_dialogs; }
    app::SettingsStore& settings() { return m_settings; }
    const app::Folders& folders() const { return m_folders; }
    // `AppDir` + name.
    QString workFile(std::string_view name) const;
    // The plot tables the graphic window draws from; rebuilt by the window that
    // asks for the graph.
    graphic::PlotTables& plotTables() { return *m_plotTables; }

    // Records `path` as the newest recent document and shows its file name in
    // status panel 1.
    void LoadFilSub(const QString& path);

    // The menu entry or button run by `handler` ("MnuLoad_Click", "Command1_Click");
    // entries of a control array add their index ("MnuApp_Click3").
    QAction* action(std::string_view handler) const;
    QToolBar* band(std::string_view key) const;

    // The tool strip as it is arranged now, and its arrangement.
    app::BandLayout bandLayout() const;
    void applyBandLayout(const app::BandLayout& layout);

    // File commands.
    void MnuLoad_Click();
    void MnuTuikaLoad_Click();
    void MnuSave_Click();
    void MnuCRsave_Click();
    void MnuLFsave_Click();
    void MnuCrear_Click();
    void MnuLoadFile_Click(int index);
    void MnuEnd_Click();
    void loadDroppedFiles(const QStringList& paths);

    // Shell commands.
    void MnuApp_Click(int index);
    void MnuAppSet_Click();
    void MnuWWW_Click();
    void MnuLinkMarlit_Click();
    void MnuRead_Click();
    void MnuVer_Click();
    void Toolbar1_ButtonClick(const QString& key);
    void Toolbar2_ButtonClick(const QString& key);

    // Replaces the text by the file at `path` (bytes as they are); throws the
    // failure and leaves the text as it was when the file cannot be read.
    void loadDocumentFile(const QString& path);
    // Writes the text to `path` with the save rule of `lineEnd`: empty lines
    // dropped, every other line followed by the line end. Throws on failure; the
    // old file stays whole then.
    void saveDocumentFile(const QString& path, text::LineEnd lineEnd);

    // The home page opened by "ホームページへ接続".
    static QString homePageAddress();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildBands();
    void buildStatusBar();
    QAction* addCommand(QMenu* menu, const QString& caption, const std::string& handler);
    void connectRegistered(QAction* action, const std::string& handler);
    void refreshRecentMenu();
    void refreshAppMenu();
    void applyFont();
    void Form_QueryUnload();
    void saveCommand(text::LineEnd lineEnd, bool keepBakDat, bool hourglass);
    void loadCommandLine(const QString& commandTail);
    bool startProgram(const QString& program, const QStringList& arguments);

    app::SettingsStore& m_settings;
    Dialogs& m_dialogs;
    app::Folders m_folders;
    std::unique_ptr<graphic::PlotTables> m_plotTables;
    std::unique_ptr<CommandGuard> m_guard;
    QString m_startDirectory;  // the working folder the program was started in

    TextPane* m_pane = nullptr;
    TextPane* m_templatePane = nullptr;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    QProgressBar* m_progress = nullptr;
    QComboBox* m_searchBox = nullptr;
    BandStrip m_bands{*this};

    std::map<std::string, QAction*, std::less<>> m_actions;
    std::array<QAction*, app::kRecentCount> m_recentActions{};
    QAction* m_recentSeparator = nullptr;
    std::array<QAction*, app::kExternalAppCount> m_appActions{};

    QString m_browserPath;
    app::RecentFiles m_recent;
    app::ExternalApps m_apps;
    bool m_shutDown = false;
};

}  // namespace talmir
