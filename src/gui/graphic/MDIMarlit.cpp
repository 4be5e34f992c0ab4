#include "gui/graphic/MDIMarlit.h"

#include "core/app/ShellKeys.h"
#include "core/editor/WorkFiles.h"
#include "core/graphic/HoleWidths.h"
#include "core/graphic/Measure.h"
#include "core/graphic/PictureGcode.h"
#include "gui/base/AppIcon.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/TextPane.h"
#include "gui/graphic/CvGrph.h"
#include "gui/graphic/PrintPanel.h"
#include "gui/graphic/StatFrm.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/ProgramWindow.h"
#include "render/QPainterCanvas.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScreen>
#include <QStyle>
#include <QToolBar>

#include <cmath>

namespace talmir {

namespace {

constexpr std::string_view kGrphSection = "Grph";
constexpr std::string_view kLayerWindowKey = "Lairfrm";
constexpr std::string_view kCheckWindowKey = "Checkfrm";
constexpr std::string_view kReferenceLinesKey = "PzERo";

const QString kFrameName = QStringLiteral("MDIMarlit");

// A layer drawn as an outline: a named G-code layer (tool layers start with
// "T") with a width.
bool hasWideNamedLayer(const graphic::PlotTables& tables) {
    for (int k = 0; k < graphic::kScannedLayers; ++k) {
        const graphic::LayerSlot& slot = tables.layers[static_cast<std::size_t>(k)];
        if (!slot.name.empty() && slot.name[0] != 'T' && slot.width > 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

MDIMarlit::MDIMarlit(EditFrm& owner) : QMainWindow(&owner, Qt::Window), m_owner(owner) {
    setObjectName(kFrameName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("グラフィック"));
    setWindowIcon(appIcon());

    auto* body = new QWidget(this);
    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_printPanel = new PrintPanel(body);
    m_printPanel->hide();
    m_graph = new CvGrph(owner.plotTables(), owner.dialogs(),
                         QString::fromStdString(owner.folders().AppDir), body);
    layout->addWidget(m_printPanel);
    buildTransformPanels(body);
    layout->addWidget(m_scalePanel);
    layout->addWidget(m_movePanel);
    layout->addWidget(m_graph, 1);
    setCentralWidget(body);
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Printer pens are counted in dots; 600 a inch keeps one dot visible.
    m_printer->setResolution(600);
    connect(m_printPanel, &PrintPanel::pageChanged, this, &MDIMarlit::applyPage);
    connect(m_printPanel, &PrintPanel::inkChanged, this, [this] {
        m_graph->options().blackInk = m_printPanel->blackInk().isChecked();
        m_graph->GrSub();
    });
    connect(&m_printPanel->setupButton(), &QPushButton::clicked, this,
            &MDIMarlit::MnuPrintSet_Click);
    connect(&m_printPanel->cancelButton(), &QPushButton::clicked, this, &MDIMarlit::Cmdclose_Click);
    // Over the panel the paper box leaves the plot until the mouse comes back.
    m_printPanel->installEventFilter(this);
    connect(m_graph, &CvGrph::cursorMoved, this,
            [this](const QString& label) { m_status->setText(label); });
    connect(m_graph, &CvGrph::popupRequested, this,
            [this](const QPoint& at) { m_popup->popup(at); });
    connect(m_graph, &CvGrph::commandEnded, this, &MDIMarlit::onCommandEnded);
    connect(m_graph, &CvGrph::printRequested, this, [this](float x, float y) {
        PrintOut(x, y);
        Cmdclose_Click();
    });
    connect(m_graph, &CvGrph::lengthPickRequested, this, &MDIMarlit::onLengthPick);
    connect(m_graph, &CvGrph::pointSnapped, this, &MDIMarlit::onPointSnapped);
    connect(m_graph, &CvGrph::plotClicked, this, [this](float x, float y) {
        if (m_tracing) {
            traceClick(x, y);
        }
    });

    buildBands();
    buildMenus();
    Form_Load();
}

MDIMarlit::~MDIMarlit() = default;

MDIMarlit* MDIMarlit::find(EditFrm& owner) {
    for (MDIMarlit* frame :
         owner.findChildren<MDIMarlit*>(kFrameName, Qt::FindDirectChildrenOnly)) {
        if (!frame->m_unloaded) {
            return frame;
        }
    }
    return nullptr;
}

MDIMarlit& MDIMarlit::open(EditFrm& owner) {
    if (MDIMarlit* frame = find(owner)) {
        frame->m_hasSource = true;
        frame->raise();
        frame->activateWindow();
        frame->graph().GrphCmd(1);
        return *frame;
    }
    auto* frame = new MDIMarlit(owner);
    ProgramWindow* gcode = findProgramWindow(owner, ProgramWindow::Kind::Gcode);
    frame->m_gcodeWindowWasVisible = gcode != nullptr && gcode->window().isVisible();
    ProgramWindow* holes = findProgramWindow(owner, ProgramWindow::Kind::Holes);
    frame->m_holeWindowWasVisible = holes != nullptr && holes->window().isVisible();
    frame->m_widthsAtOpen = graphic::layerWidths(owner.plotTables());
    // Maximised; the screen's size first, for desktops that have no window
    // manager to maximise it.
    if (const QScreen* screen = owner.screen()) {
        frame->setGeometry(screen->availableGeometry());
    }
    frame->showMaximized();
    frame->activateWindow();
    // The plot takes the screen; the text windows come back when it closes.
    for (ProgramWindow* window : {gcode, holes}) {
        if (window != nullptr) {
            window->window().hide();
        }
    }
    owner.hide();
    frame->graph().GrphCmd(1);
    return *frame;
}

MDIMarlit& MDIMarlit::openWithoutSource(EditFrm& owner) {
    MDIMarlit& frame = open(owner);
    frame.m_hasSource = false;
    return frame;
}

QAction* MDIMarlit::action(std::string_view handler) const {
    const auto it = m_actions.find(handler);
    return it == m_actions.end() ? nullptr : it->second;
}

QMenu* MDIMarlit::menu(std::string_view name) const {
    const auto it = m_menus.find(name);
    return it == m_menus.end() ? nullptr : it->second;
}

QAction* MDIMarlit::addItem(QMenu* menu, const QString& caption, const std::string& handler,
                            void (MDIMarlit::*slot)()) {
    QAction* act = menu->addAction(caption);
    act->setObjectName(QString::fromStdString(handler));
    m_actions[handler] = act;
    if (slot != nullptr) {
        connect(act, &QAction::triggered, this, slot);
    } else {
        act->setEnabled(false);
    }
    return act;
}

void MDIMarlit::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    m_menus["MnuFile"] = file;
    addItem(file, QStringLiteral("ビットマップ形式で保存..."), "MnuBmpSave",
            &MDIMarlit::MnuBmpSave_Click);
    addItem(file, QStringLiteral("JPG形式で保存..."), "MnuSaveJpg", &MDIMarlit::MnuSaveJpg_Click);
    addItem(file, QStringLiteral("クリップボードへコピー"), "MnuClipSave",
            &MDIMarlit::MnuClipSave_Click);
    file->addSeparator();
    addItem(file, QStringLiteral("比較するプログラム..."), "MnuDiff", &MDIMarlit::MnuDiff_Click);
    addItem(file, QStringLiteral("比較の終了"), "MnuDiffEnd", &MDIMarlit::MnuDiffEnd_Click);
    file->addSeparator();
    addItem(file, QStringLiteral("プリンタの設定..."), "MnuPrintSet",
            &MDIMarlit::MnuPrintSet_Click);
    addItem(file, QStringLiteral("印刷"), "MnuPrint", &MDIMarlit::MnuPrint_Click);
    file->addSeparator();
    addItem(file, QStringLiteral("エディタへ戻る"), "MnuExit", &MDIMarlit::MnuExit_Click);

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    m_menus["MnuView"] = view;
    addItem(view, QStringLiteral("バックカラー"), "MnuBackColor", &MDIMarlit::MnuBackColor_Click);
    addItem(view, QStringLiteral("測定文字色"), "MnuSunpouColor", &MDIMarlit::MnuSunpouColor_Click);
    view->addSeparator();
    addItem(view, QStringLiteral("基準線"), "MnuXYLine", &MDIMarlit::MnuXYLine_Click)
        ->setCheckable(true);
    addItem(view, QStringLiteral("移動ライン(G00)"), "MnuG00", &MDIMarlit::MnuG00_Click)
        ->setCheckable(true);
    view->addSeparator();
    const QString arcCaptions[2] = {QStringLiteral("円弧をCIRCLEコードで作画"),
                                    QStringLiteral("円弧を直線コードで作画")};
    for (int index = 0; index < 2; ++index) {
        QAction* act = addItem(view, arcCaptions[index], "MnuCircleOrLine" + std::to_string(index));
        act->setEnabled(true);
        act->setCheckable(true);
        connect(act, &QAction::triggered, this, [this, index] { MnuCircleOrLine_Click(index); });
    }
    action("MnuCircleOrLine0")->setChecked(true);

    // Each kind of data has its own menu of transforms; the menu of a kind that
    // is not loaded is hidden.
    auto transformMenu = [this](const QString& title, const std::string& name,
                                const std::string& prefix, bool gcode) {
        QMenu* menu = menuBar()->addMenu(title);
        m_menus[name] = menu;
        QMenu* axes = menu->addMenu(QStringLiteral("軸変換"));
        const QString mirrors[3] = {QStringLiteral("Xミラー"), QStringLiteral("Yミラー"),
                                    QStringLiteral("軸交換")};
        for (int index = 0; index < 3; ++index) {
            QAction* act = addItem(axes, mirrors[index], prefix + "Mirr" + std::to_string(index));
            act->setEnabled(true);
            connect(act, &QAction::triggered, this,
                    [this, index, gcode] { gcode ? GMirr(index) : NcMirr(index); });
        }
        QAction* move = addItem(menu, QStringLiteral("移動..."), prefix + "Move");
        QAction* rate = addItem(menu, QStringLiteral("倍率変換..."), prefix + "Rate");
        move->setEnabled(true);
        rate->setEnabled(true);
        connect(move, &QAction::triggered, this,
                gcode ? &MDIMarlit::MnuGMove_Click : &MDIMarlit::MnuMove_Click);
        connect(rate, &QAction::triggered, this,
                gcode ? &MDIMarlit::MnuGRate_Click : &MDIMarlit::MnuRate_Click);
        return menu;
    };
    QMenu* nc = transformMenu(QStringLiteral("ＮＣデータ(&N)"), "MnuNc", "Mnu", false);
    addItem(nc, QStringLiteral("データの削除"), "MnuDataDel", &MDIMarlit::MnuDataDel_Click);
    QMenu* gcode = transformMenu(QStringLiteral("Ｇコード(&G)"), "MnuG", "MnuG", true);
    gcode->addSeparator();
    addItem(gcode, QStringLiteral("周長計測"), "MnuLenge", &MDIMarlit::MnuLenge_Click)
        ->setCheckable(true);

    QMenu* tools = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    m_menus["MnuTool"] = tools;
    addItem(tools, QStringLiteral("座標チェック"), "MnuCheckWindow",
            &MDIMarlit::MnuCheckWindow_Click)
        ->setCheckable(true);
    addItem(tools, QStringLiteral("レイヤー"), "MnuLaiyr", &MDIMarlit::MnuLaiyr_Click)
        ->setCheckable(true);
    addItem(tools, QStringLiteral("描画形状の線幅設定..."), "MnuApSizuSave",
            &MDIMarlit::MnuApSizuSave_Click);
    tools->addSeparator();
    addItem(tools, QStringLiteral("プログラム統計..."), "MnuStats", &MDIMarlit::MnuStats_Click);
    addItem(tools, QStringLiteral("トレース"), "MnuTrace", &MDIMarlit::MnuTrace_Click)
        ->setCheckable(true);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu"));
    struct PopupEntry {
        const char* caption;
        const char* handler;
        int command;  // GrphCmd number; -1 for the others
    };
    const PopupEntry entries[] = {
        {"コマンドの終了", "Popup_End", 0},
        {"Home", "Popup_Home", 1},
        {"Move", "Popup_Move", 8},
        {"Zoom", "Popup_Zoom", 9},
    };
    for (const PopupEntry& entry : entries) {
        QAction* act = addItem(m_popup, QString::fromUtf8(entry.caption), entry.handler);
        act->setEnabled(true);
        const int command = entry.command;
        connect(act, &QAction::triggered, this, [this, command] { m_graph->GrphCmd(command); });
    }
    addItem(m_popup, QStringLiteral("印刷"), "Popup_Print", &MDIMarlit::MnuPrint_Click);
    addItem(m_popup, QStringLiteral("エディタへ戻る"), "Popup_Exit", &MDIMarlit::MnuExit_Click);
}

void MDIMarlit::buildBands() {
    auto button = [this](QToolBar* bar, const char* key, const QIcon& icon, const QString& tip) {
        QAction* act = BandStrip::button(bar, key, icon, tip);
        const QString k = QLatin1String(key);
        connect(act, &QAction::triggered, this, [this, k] { Toolbar_ButtonClick(k); });
        m_actions[std::string("Toolbar_") + key] = act;
        return act;
    };

    QToolBar* files = m_bands.add("TLB1", QStringLiteral("ファイル"));
    button(files, "EXIT", toolIcon(QStringLiteral("EXIT")), QStringLiteral("エディタへ戻る"));
    button(files, "PRINT", toolIcon(QStringLiteral("PRN")), QStringLiteral("印刷"));

    QToolBar* views = m_bands.add("TLB2", QStringLiteral("表示"));
    button(views, "HOME", toolIcon(QStringLiteral("ALL")), QStringLiteral("全体表示"));
    button(views, "PGUP", toolIcon(QStringLiteral("x2")), QStringLiteral("拡大"));
    button(views, "PGDN", toolIcon(QStringLiteral("x1/2")), QStringLiteral("縮小"));
    struct ViewKey {
        const char* key;
        QStyle::StandardPixmap icon;
        const char* tip;
    };
    const ViewKey panKeys[] = {
        {"UP", QStyle::SP_ArrowUp, "上へ"},
        {"DOWN", QStyle::SP_ArrowDown, "下へ"},
        {"LEFT", QStyle::SP_ArrowLeft, "左へ"},
        {"RIGTH", QStyle::SP_ArrowRight, "右へ"},
    };
    for (const ViewKey& key : panKeys) {
        button(views, key.key, style()->standardIcon(key.icon), QString::fromUtf8(key.tip));
    }
    button(views, "MOVE", toolIcon(QStringLiteral("MOV")), QStringLiteral("移動モード"));
    button(views, "ZOOM", toolIcon(QStringLiteral("ZM")), QStringLiteral("拡大モード"));

    QToolBar* toggles = m_bands.add("TLB3", QStringLiteral("描画"));
    for (const char* key : {"NC", "G"}) {
        QAction* act =
            button(toggles, key, toolIcon(QLatin1String(key)),
                   QLatin1String(key) == QLatin1String("NC") ? QStringLiteral("穴データを描画")
                                                             : QStringLiteral("Gコードを描画"));
        act->setCheckable(true);
        act->setChecked(true);
    }
    // The toggles of the docked layer and coordinate check windows.
    button(toggles, "LAYER", toolIcon(QStringLiteral("LAY")), QStringLiteral("レイヤー"))
        ->setCheckable(true);
    button(toggles, "CHECK", toolIcon(QStringLiteral("CHK")), QStringLiteral("座標チェック"))
        ->setCheckable(true);
    button(toggles, "LAYSET", toolIcon(QStringLiteral("SET")),
           QStringLiteral("描画形状の線幅設定"));

    QToolBar* label = m_bands.add("PCT1", QStringLiteral("座標"));
    m_status = new QLabel(QStringLiteral("X123.4567 Y123.4567"), label);
    m_status->setObjectName(QStringLiteral("Label1"));
    m_status->setMinimumWidth(m_status->sizeHint().width() * 2);
    label->addWidget(m_status);
    label->addSeparator();
    m_summary = new QLabel(label);
    m_summary->setObjectName(QStringLiteral("Label2"));
    label->addWidget(m_summary);
}

void MDIMarlit::Form_Load() {
    app::SettingsStore& store = m_owner.settings();
    m_bands.apply(app::readBandLayout(store, kGrphSection, kGraphBandKeys));
    m_graph->Form_Load();
    setLayerWindowOpen(store.getBool(app::kTalmirSection, kLayerWindowKey, false));
    setCheckWindowOpen(store.getBool(app::kTalmirSection, kCheckWindowKey, false));
    const bool referenceLines = store.getBool(app::kTalmirSection, kReferenceLinesKey, false);
    action("MnuXYLine")->setChecked(referenceLines);
    m_graph->options().referenceLines = referenceLines;

    const graphic::PlotTables& tables = m_owner.plotTables();
    m_summary->setText(measureSummary(graphic::measureProgram(tables)));
    menu("MnuNc")->menuAction()->setVisible(tables.HoleCount >= 0);
    menu("MnuG")->menuAction()->setVisible(tables.PathCount >= 0);
}

void MDIMarlit::enableMenus() {
    setMenusEnabled(true);
}

void MDIMarlit::setMenusEnabled(bool enabled) {
    for (const auto& [name, menu] : m_menus) {
        menu->menuAction()->setEnabled(enabled);
    }
    for (const char* entry :
         {"Popup_Home", "Popup_Zoom", "Popup_Move", "Popup_Print", "Popup_Exit"}) {
        action(entry)->setEnabled(enabled);
    }
}

void MDIMarlit::Toolbar_ButtonClick(const QString& key) {
    static const std::map<QString, int> kCommands{
        {QStringLiteral("HOME"), 1},  {QStringLiteral("PGUP"), 2}, {QStringLiteral("PGDN"), 3},
        {QStringLiteral("UP"), 4},    {QStringLiteral("DOWN"), 5}, {QStringLiteral("LEFT"), 6},
        {QStringLiteral("RIGTH"), 7}, {QStringLiteral("MOVE"), 8}, {QStringLiteral("ZOOM"), 9},
    };
    if (key == QLatin1String("EXIT")) {
        MnuExit_Click();
    } else if (key == QLatin1String("PRINT")) {
        MnuPrint_Click();
    } else if (key == QLatin1String("NC")) {
        m_graph->options().drawHoles = action("Toolbar_NC")->isChecked();
        m_graph->GrSub();
    } else if (key == QLatin1String("G")) {
        m_graph->options().drawPaths = action("Toolbar_G")->isChecked();
        m_graph->GrSub();
    } else if (key == QLatin1String("LAYER")) {
        setLayerWindowOpen(action("Toolbar_LAYER")->isChecked());
    } else if (key == QLatin1String("CHECK")) {
        setCheckWindowOpen(action("Toolbar_CHECK")->isChecked());
    } else if (key == QLatin1String("LAYSET")) {
        MnuApSizuSave_Click();
    } else if (const auto it = kCommands.find(key); it != kCommands.end()) {
        m_graph->GrphCmd(it->second);
    }
}

void MDIMarlit::MnuExit_Click() {
    close();
}

void MDIMarlit::MnuClipSave_Click() {
    m_graph->GrSub();
    QGuiApplication::clipboard()->setImage(m_graph->image());
    m_graph->GrSub();
}

void MDIMarlit::MnuBackColor_Click() {
    graphic::ColourTable& colours = m_graph->colours();
    const auto chosen =
        m_owner.dialogs().color(this, QPainterCanvas::toQColor(colours.background()));
    if (!chosen) {
        return;
    }
    colours.entries[0] = QPainterCanvas::fromQColor(*chosen);
    m_graph->GrSub();
}

void MDIMarlit::MnuSunpouColor_Click() {
    const auto chosen = m_owner.dialogs().color(this, QPainterCanvas::toQColor(measureTextColour));
    if (chosen) {
        measureTextColour = QPainterCanvas::fromQColor(*chosen);
        m_graph->labelColour = measureTextColour;
    }
}

void MDIMarlit::MnuXYLine_Click() {
    m_graph->options().referenceLines = action("MnuXYLine")->isChecked();
    m_graph->GrSub();
}

void MDIMarlit::MnuG00_Click() {
    m_graph->options().showG00 = action("MnuG00")->isChecked();
    m_graph->GrSub();
}

void MDIMarlit::MnuCircleOrLine_Click(int index) {
    // Exactly one of the two carries the check mark.
    action("MnuCircleOrLine0")->setChecked(index == 0);
    action("MnuCircleOrLine1")->setChecked(index == 1);
    m_graph->options().arcsAsLines = index == 1;
    m_graph->GrSub();
}

bool MDIMarlit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_printPanel && event->type() == QEvent::Enter &&
        m_graph->CommandState() == CvGrph::kPaperBox) {
        m_printPanel->setFocus();
        m_graph->lostFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MDIMarlit::closeEvent(QCloseEvent* event) {
    if (!m_unloaded && !Form_QueryUnload()) {
        event->ignore();
        return;
    }
    m_unloaded = true;
    event->accept();
}

void MDIMarlit::writeBackToolWidths() {
    graphic::PlotTables& tables = m_owner.plotTables();
    if (tables.HoleCount < 0 || graphic::layerWidths(tables) == m_widthsAtOpen) {
        return;  // the transforms rewrite the text as they go; nothing else changed
    }
    CommandGuard guard(m_owner.dialogs(), this);
    guard.run({}, [&] {
        ProgramWindow& holes = programWindow(m_owner, ProgramWindow::Kind::Holes);
        if (!holes.TextOrTree(0)) {
            return;
        }
        holes.pane().setShiftJis(
            graphic::holeTextWithToolWidths(holes.snapshot(), tables, m_widthsAtOpen));
    });
}

bool MDIMarlit::Form_QueryUnload() {
    graphic::PlotTables& tables = m_owner.plotTables();
    Dialogs& dialogs = m_owner.dialogs();
    if (m_hasSource && tables.PathCount >= 0 && hasWideNamedLayer(tables)) {
        const Answer answer = dialogs.askYesNoCancel(
            this, QStringLiteral("線幅設定による描画形状をGコードへ置き換えますか"), QString());
        if (answer == Answer::Cancel) {
            return false;
        }
        if (answer == Answer::Yes) {
            CommandGuard guard(dialogs, this);
            guard.run({}, [&] {
                const std::string program = graphic::PictureGcode(tables);
                // The work file is a copy for whoever looks; the window gets the
                // text itself, so a full disk loses nothing.
                QSaveFile work(m_owner.workFile(editor::kBak1Dat));
                if (work.open(QIODevice::WriteOnly)) {
                    work.write(program.data(), static_cast<qint64>(program.size()));
                    work.commit();
                }
                ProgramWindow& gcode = programWindow(m_owner, ProgramWindow::Kind::Gcode);
                if (gcode.TextOrTree(0)) {
                    gcode.pane().setShiftJis(program);
                }
            });
        }
    }

    // The colours as they are now, for the next time the plot opens. A write that
    // fails is passed over: the windows must come back all the same.
    {
        const std::string colours = graphic::layerColourFile(m_graph->colours());
        QSaveFile file(m_owner.workFile("LAYER.RGB"));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(colours.data(), static_cast<qint64>(colours.size()));
            file.commit();
        }
    }

    setTracing(false);
    writeBackToolWidths();

    m_owner.show();
    if (m_gcodeWindowWasVisible || (m_hasSource && tables.PathCount >= 0)) {
        programWindow(m_owner, ProgramWindow::Kind::Gcode).window().show();
    }
    if (m_holeWindowWasVisible || (m_hasSource && tables.HoleCount >= 0)) {
        programWindow(m_owner, ProgramWindow::Kind::Holes).window().show();
    }
    tables.PathCount = -1;
    tables.paths.clear();
    tables.pathLines.clear();

    app::SettingsStore& store = m_owner.settings();
    store.setBool(app::kTalmirSection, kLayerWindowKey, m_layerWindow != nullptr);
    store.setBool(app::kTalmirSection, kCheckWindowKey, m_checkWindow != nullptr);
    store.setBool(app::kTalmirSection, kReferenceLinesKey, action("MnuXYLine")->isChecked());
    app::writeBandLayout(store, m_bands.layout(), kGrphSection);
    unloadToolWindows();
    return true;
}

}  // namespace talmir
