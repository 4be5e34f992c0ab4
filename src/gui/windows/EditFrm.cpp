#include "gui/windows/EditFrm.h"

#include "core/Failure.h"
#include "core/app/FontSettings.h"
#include "core/app/ShellKeys.h"
#include "core/app/WindowBounds.h"
#include "core/editor/WorkFiles.h"
#include "core/graphic/PlotTables.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/EditorFont.h"
#include "gui/base/TextPane.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace talmir {

EditFrm::EditFrm(app::SettingsStore& settings, Dialogs& dialogs, app::Folders folders,
                 QWidget* parent)
    : QMainWindow(parent),
      m_settings(settings),
      m_dialogs(dialogs),
      m_folders(std::move(folders)),
      m_plotTables(std::make_unique<graphic::PlotTables>()),
      m_guard(std::make_unique<CommandGuard>(dialogs, this)),
      m_startDirectory(QDir::currentPath()) {
    setWindowTitle(QStringLiteral("エディタ"));
    m_pane = new TextPane(this);
    setCentralWidget(m_pane);
    m_templatePane = new TextPane(this);
    m_templatePane->hide();
    connect(m_pane, &TextPane::filesDropped, this, &EditFrm::loadDroppedFiles);
    buildStatusBar();
    buildBands();
    buildMenus();
    m_guard->setProgressBar(m_progress);
}

EditFrm::~EditFrm() = default;

void EditFrm::buildStatusBar() {
    m_panel1 = new QLabel(this);
    m_panel2 = new QLabel(this);
    m_panel1->setObjectName(QStringLiteral("panel1"));
    m_panel2->setObjectName(QStringLiteral("panel2"));
    statusBar()->addWidget(m_panel1, 3);
    statusBar()->addWidget(m_panel2, 1);
}

QString EditFrm::documentName() const {
    return m_panel1->text();
}

void EditFrm::setDocumentName(const QString& name) {
    m_panel1->setText(name);
}

QString EditFrm::statusPanel2() const {
    return m_panel2->text();
}

QString EditFrm::workFile(std::string_view name) const {
    return QString::fromStdString(editor::workFilePath(m_folders.AppDir, name));
}

namespace {

// At the first start (no bounds stored yet) the editor opens centred on its screen,
// at least as large as its defaults and wide enough for every band of its tool strip.
void placeAtFirstStart(QMainWindow& window, const app::PixelRect& defaults) {
    int stripWidth = 0;
    for (const QToolBar* bar : window.findChildren<QToolBar*>()) {
        stripWidth += bar->sizeHint().width();
    }
    const QScreen* screen =
        window.screen() != nullptr ? window.screen() : QApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // The frame's own margins beside the bands.
    constexpr int kMarginPx = 32;
    const QSize size(std::min(area.width(), std::max(defaults.width, stripWidth + kMarginPx)),
                     std::min(area.height(), defaults.height));
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area));
}

}  // namespace

void EditFrm::Form_Load(const QString& commandTail) {
    QDir::setCurrent(QString::fromStdString(m_folders.AppDir));
    m_browserPath = QString::fromStdString(
        m_settings.getText(app::kTalmirSection, app::kWebAplKey, app::kDefaultWebApl));
    m_apps.loadAll(m_settings);
    refreshAppMenu();

    const app::PixelRect bounds = app::readWindowBounds(m_settings, logicalDpiX());
    const bool stored = m_settings.contains(app::kEditfrmSection, "Width");
    setGeometry(bounds.x, bounds.y, bounds.width, bounds.height);

    m_recent.load(m_settings);
    refreshRecentMenu();
    applyBandLayout(app::readBandLayout(m_settings));
    if (!stored) {
        placeAtFirstStart(*this, bounds);
    }
    m_settings.setText(app::kTalmirSection, app::kApldirKey, m_folders.AppDir);
    action("MnuRead_Click")
        ->setVisible(m_settings.getBool(app::kTalmirSection, app::kHelpKey, true));
    applyFont();
    loadCommandLine(commandTail);
}

void EditFrm::applyFont() {
    m_pane->setPaneFont(editorFont(app::readFontSettings(m_settings, false)));
}

void EditFrm::loadCommandLine(const QString& commandTail) {
    const QString given = QString::fromStdString(app::commandLinePath(commandTail.toStdString()));
    if (given.isEmpty()) {
        return;
    }
    // A relative path names a file in the folder the program was started from.
    const QString path = QDir(m_startDirectory).absoluteFilePath(given);
    try {
        loadDocumentFile(path);
    } catch (const Failure&) {
        // An unreadable command-line file leaves the pane as it was, silently.
    }
    LoadFilSub(path);
}

void EditFrm::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void EditFrm::MnuEnd_Click() {
    close();
}

void EditFrm::Form_QueryUnload() {
    if (m_shutDown) {
        return;
    }
    m_shutDown = true;
    // The bounds stored are the normal ones, also when the window is maximised.
    const QRect normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    m_settings.setBool(app::kTalmirSection, app::kHelpKey, action("MnuRead_Click")->isVisible());
    app::writeWindowBounds(m_settings,
                           app::PixelRect{normal.x(), normal.y(), normal.width(), normal.height()},
                           logicalDpiX());
    app::writeBandLayout(m_settings, bandLayout());

    const auto windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (*it != this && (*it)->isVisible()) {
            (*it)->close();
        }
    }
    // Each work file goes on its own: a missing BAK.DAT does not keep BAK1.DAT.
    QFile::remove(workFile(editor::kBakDat));
    QFile::remove(workFile(editor::kBak1Dat));
}

QToolBar* EditFrm::band(std::string_view key) const {
    return m_bands.band(key);
}

void EditFrm::applyBandLayout(const app::BandLayout& layout) {
    m_bands.apply(layout);
}

app::BandLayout EditFrm::bandLayout() const {
    return m_bands.layout();
}

}  // namespace talmir
