#include "gui/editor/ConvFrm.h"

#include "core/Failure.h"
#include "core/app/WindowBounds.h"
#include "core/editor/CodeTable.h"
#include "core/editor/WorkFiles.h"
#include "core/text/Lines.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/base/TextPane.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace talmir {

namespace {

const QString kAllFilesFilter = QStringLiteral("全てのﾌｧｲﾙ(*.*)|*.*");

QPushButton* plainButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ConvFrm::ConvFrm(EditFrm& frm) : QDialog(&frm), m_frm(frm) {
    setWindowTitle(QStringLiteral("コード変換"));

    auto* source = new QGroupBox(QStringLiteral("変換元ファイル"), this);
    m_options[0] = new QRadioButton(QStringLiteral("エディタ上のデータを変換"), source);
    m_options[1] = new QRadioButton(QStringLiteral("指定ファイルを変換"), source);
    m_path = new QLineEdit(source);
    m_browse = plainButton(QStringLiteral("ファイルの検索"), source);
    auto* sourceLayout = new QGridLayout(source);
    sourceLayout->addWidget(m_options[0], 0, 0, 1, 2);
    sourceLayout->addWidget(m_options[1], 1, 0, 1, 2);
    sourceLayout->addWidget(m_path, 2, 0);
    sourceLayout->addWidget(m_browse, 2, 1);

    m_list = new QListWidget(this);
    m_preview = new TextPane(this);
    m_preview->installEventFilter(this);
    m_preview->viewport()->installEventFilter(this);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel(QStringLiteral("変換リスト"), this));
    listColumn->addWidget(m_list, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(listColumn, 1);
    middle->addWidget(m_preview, 3);

    m_command2[0] = plainButton(QStringLiteral("実行"), this);
    m_command2[1] = plainButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command2[0]);
    buttons->addWidget(m_command2[1]);

    m_output = new QGroupBox(QStringLiteral("変換先ファイル"), this);
    m_command3[0] = plainButton(QStringLiteral("エディタへ上書き出力"), m_output);
    m_command3[1] = plainButton(QStringLiteral("ファイルへ出力..."), m_output);
    m_command3[2] = plainButton(QStringLiteral("ｷｬﾝｾﾙ"), m_output);
    auto* outputLayout = new QGridLayout(m_output);
    for (int i = 0; i < 3; ++i) {
        outputLayout->addWidget(m_command3[static_cast<std::size_t>(i)], 0, i);
    }
    outputLayout->addWidget(
        new QLabel(QStringLiteral("WINDOWSでサポートされていないコードが含まれている時は\n"
                                  "ファイルへ出力する事をお勧めします"),
                   m_output),
        1, 0, 1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_output);

    for (int i = 0; i < 2; ++i) {
        connect(m_options[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { Option1_Click(i); });
        connect(m_command2[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { Command2_Click(i); });
    }
    for (int i = 0; i < 3; ++i) {
        connect(m_command3[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { Command3_Click(i); });
    }
    connect(m_browse, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // A table is converted when it becomes the chosen one (mouse or keys) and again
    // when the chosen one is clicked once more.
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_rowJustChanged = true;
        if (row >= 0) {
            List1_Click();
        }
    });
    connect(m_list, &QListWidget::itemClicked, this, [this] {
        if (!m_rowJustChanged) {
            List1_Click();
        }
        m_rowJustChanged = false;
    });

    // Form_Load.
    resize(app::twipsToPixels(7455, logicalDpiX()), app::twipsToPixels(4095, logicalDpiY()));
    m_output->hide();
    (void)editor::ensureCodeTableFolder(m_frm.folders().AppDir);
    {
        const QSignalBlocker quiet(m_list);
        for (const std::string& name : editor::listCodeTables(m_frm.folders().AppDir)) {
            m_list->addItem(QString::fromStdString(name));
        }
        m_list->setCurrentRow(-1);
    }
    // Later edits in the editor are not seen until the dialog is opened again.
    m_snapshot = text::paneSnapshot(m_frm.pane().shiftJis());
    m_options[0]->setChecked(true);
    Option1_Click(0);
    m_command2[0]->setEnabled(false);
}

bool ConvFrm::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl keys do nothing in the preview.
    if ((watched == m_preview || watched == m_preview->viewport()) &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & Qt::ControlModifier) {
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ConvFrm::Option1_Click(int index) {
    const bool file = index == 1;
    m_browse->setEnabled(file);
    m_path->setReadOnly(!file);
    if (!file) {
        m_path->clear();
    }
}

void ConvFrm::Command1_Click() {
    if (const auto path = m_frm.dialogs().openFile(this, {{}, {}, {}, kAllFilesFilter})) {
        m_path->setText(*path);
    }
}

void ConvFrm::List1_Click() {
    if (m_list->currentItem() == nullptr) {
        return;
    }
    if (m_options[1]->isChecked() && m_path->text().isEmpty()) {
        return;
    }
    m_frm.guard().run({}, [this] { convert(); });
}

void ConvFrm::convert() {
    const std::string appDir = m_frm.folders().AppDir;
    auto file = editor::readCodeTableFile(appDir, m_list->currentItem()->text().toStdString());
    if (!file) {
        throw file.failure();
    }
    auto table = editor::readCodeTable(file.value());
    if (!table) {
        throw table.failure();
    }
    std::string sourceFile;
    if (m_options[1]->isChecked()) {
        // A path whose folder does not exist is passed over quietly.
        if (!QFileInfo(m_path->text()).absoluteDir().exists()) {
            return;
        }
        sourceFile = readFileBytesOrThrow(m_path->text());
    }
    const std::string& source = m_options[1]->isChecked() ? sourceFile : m_snapshot;
    std::string converted = editor::applyCodeTable(source, table.value());
    // The preview and what "実行" writes always agree: when the result cannot be
    // shown or left in "bak1.dat", there is nothing to write.
    try {
        m_preview->setShiftJis(converted);
        writeFileBytesOrThrow(m_frm.workFile(editor::kBak1Lower), converted);
    } catch (...) {
        m_preview->clearText();
        m_converted.clear();
        m_command2[0]->setEnabled(false);
        m_output->hide();
        throw;
    }
    m_converted = std::move(converted);
    m_command2[0]->setEnabled(true);
}

void ConvFrm::Command2_Click(int index) {
    if (index == 0) {
        m_output->show();
    } else if (index == 1) {
        close();
    }
}

void ConvFrm::Command3_Click(int index) {
    if (index == 0) {
        if (m_frm.guard().run({}, [this] { m_frm.pane().setShiftJis(m_converted); })) {
            accept();
        }
    } else if (index == 1) {
        // A cancelled file dialog does nothing.
        const auto path = m_frm.dialogs().saveFile(this, {{}, {}, {}, kAllFilesFilter});
        if (!path) {
            return;
        }
        if (m_frm.guard().run({}, [&] { writeFileBytesOrThrow(*path, m_converted); })) {
            m_frm.dialogs().message(
                this, *path + QStringLiteral("\r\n") + QStringLiteral("ファイルを保存しました。"),
                {}, MessageIcon::None);
            accept();
        }
    } else if (index == 2) {
        m_output->hide();
    }
}

void ConvFrm::done(int result) {
    Form_QueryUnload();
    QDialog::done(result);
}

void ConvFrm::Form_QueryUnload() {
    QFile::remove(m_frm.workFile(editor::kBakRtf));
    QFile::remove(m_frm.workFile(editor::kBak1Rtf));
}

void MnuCv_Click(EditFrm& frm) {
    ConvFrm dialog(frm);
    dialog.exec();
}

namespace {

const EditFrmCommandRegistration kCv{"MnuCv_Click", [](EditFrm& frm) { MnuCv_Click(frm); }};

}  // namespace

}  // namespace talmir
