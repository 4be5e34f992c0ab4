#include "gui/graphic/AptFrm.h"

#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"
#include "core/text/ShiftJis.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/FileIo.h"
#include "gui/graphic/CvGrph.h"
#include "render/QPainterCanvas.h"

#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace talmir {

namespace {

constexpr int kTableRows = 256;

QPushButton* addButton(QDialog& dialog, QGridLayout& layout, const QString& caption,
                       const char* name, int row, int column) {
    auto* button = new QPushButton(caption, &dialog);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    layout.addWidget(button, row, column);
    return button;
}

QListWidget* tableList(QDialog& dialog, const GraphTools& tools) {
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("File1"));
    listTableFiles(*list, tools.tableFolder());
    return list;
}

QString selectedFile(const QListWidget& list) {
    const QListWidgetItem* item = list.currentItem();
    return item != nullptr ? item->text() : QString();
}

// A size as the grid shows it after a load.
QString loadedSize(const std::string& size) {
    return QString::fromStdString(text::formatPicture(text::numericValue(size), "0.000"));
}

}  // namespace

std::vector<graphic::WidthRecord> readTableFile(const QString& path) {
    return graphic::readWidthTable(readFileBytesOrThrow(path));
}

AptFrm::AptFrm(const GraphTools& tools, QWidget* parent) : QDialog(parent), m_tools(tools) {
    setObjectName(QStringLiteral("AptFrm"));
    setWindowTitle(QStringLiteral("描画線幅の編集"));
    auto* layout = new QGridLayout(this);
    m_grid = new QTableWidget(kTableRows, 3, this);
    m_grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->setWordWrap(false);
    const double widths[3] = {800, 800, 750};
    for (int column = 0; column < 3; ++column) {
        m_grid->setColumnWidth(column, pixelsOfTwips(widths[column]));
    }
    setHeaders(QStringLiteral("Dｺｰﾄﾞ"));
    layout->addWidget(m_grid, 0, 0, 6, 1);
    m_cellEdit = new QLineEdit(this);
    m_cellEdit->setObjectName(QStringLiteral("Text2"));
    layout->addWidget(m_cellEdit, 6, 0);
    m_files = tableList(*this, tools);
    layout->addWidget(m_files, 0, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("ﾌｧｲﾙ名"), this), 1, 1);
    m_fileName = new QLineEdit(this);
    m_fileName->setObjectName(QStringLiteral("Text1"));
    layout->addWidget(m_fileName, 1, 2);
    connect(addButton(*this, *layout, QStringLiteral("読み込み"), "Command1", 2, 1),
            &QPushButton::clicked, this, &AptFrm::Command_Load);
    connect(addButton(*this, *layout, QStringLiteral("保存"), "Command2", 3, 1),
            &QPushButton::clicked, this, &AptFrm::Command_Save);
    connect(addButton(*this, *layout, QStringLiteral("削除"), "Command3", 4, 1),
            &QPushButton::clicked, this, &AptFrm::Command_Delete);
    connect(addButton(*this, *layout, QStringLiteral("閉じる"), "Command4", 5, 1),
            &QPushButton::clicked, this, &QDialog::accept);
    connect(m_grid, &QTableWidget::cellClicked, this, &AptFrm::MSFlexGrid1_Click);
    connect(m_cellEdit, &QLineEdit::textEdited, this, &AptFrm::cellEdited);
    connect(m_files, &QListWidget::currentTextChanged, m_fileName, &QLineEdit::setText);
    resize(520, 420);
}

void AptFrm::setHeaders(const QString& nameHeader) {
    m_grid->setHorizontalHeaderLabels({nameHeader, QStringLiteral("ｻｲｽﾞ"), QStringLiteral("ｶﾗｰ")});
}

void AptFrm::fillRows(const std::vector<graphic::WidthRecord>& rows) {
    m_grid->clearContents();
    m_grid->setRowCount(std::max<int>(kTableRows, static_cast<int>(rows.size())));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const graphic::WidthRecord& record = rows[static_cast<std::size_t>(row)];
        gridCell(*m_grid, row, 0)
            ->setText(QString::fromStdString(text::shiftJisToUtf8(record.name)));
        gridCell(*m_grid, row, 1)->setText(QString::fromStdString(record.size));
        paintColourCell(*gridCell(*m_grid, row, 2), graphic::ColourTable::toColour(record.colour));
    }
    fitNarrowColumns(*m_grid);
    m_row = m_column = -1;
}

void AptFrm::fillFromLayers(const std::vector<graphic::WidthRecord>& rows) {
    setHeaders(QStringLiteral("画層名"));
    fillRows(rows);
}

std::vector<graphic::WidthRecord> AptFrm::records() const {
    std::vector<graphic::WidthRecord> out;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const QTableWidgetItem* name = m_grid->item(row, 0);
        if (name == nullptr || name->text().isEmpty()) {
            continue;
        }
        graphic::WidthRecord record;
        record.name = text::utf8ToShiftJis(name->text().toStdString());
        const QTableWidgetItem* size = m_grid->item(row, 1);
        record.size = size != nullptr ? size->text().toStdString() : std::string();
        const QTableWidgetItem* colour = m_grid->item(row, 2);
        record.colour = colour != nullptr ? cellColour(*colour) : 0;
        out.push_back(std::move(record));
    }
    return out;
}

QString AptFrm::tablePath(const QString& name) {
    if (name.isEmpty()) {
        return {};
    }
    const auto file = graphic::tableFileName(name.toStdString());
    if (!file) {
        m_tools.dialogs.message(
            this, QStringLiteral("ファイル名には \"/\" と \"\\\" を使えません : ") + name,
            QString(), MessageIcon::Warning);
        return {};
    }
    return m_tools.tableFolder() + QString::fromStdString(*file);
}

void AptFrm::Command_Load() {
    QString name = selectedFile(*m_files);
    if (name.isEmpty()) {
        name = m_fileName->text();
    }
    const QString path = tablePath(name);
    if (path.isEmpty()) {
        return;
    }
    CommandGuard guard(m_tools.dialogs, this);
    guard.run({}, [&] {
        std::vector<graphic::WidthRecord> rows = readTableFile(path);
        for (graphic::WidthRecord& record : rows) {
            record.size = loadedSize(record.size).toStdString();
        }
        setHeaders(QStringLiteral("Dｺｰﾄﾞ"));
        fillRows(rows);
    });
}

void AptFrm::Command_Save() {
    const QString name = m_fileName->text();
    const QString path = tablePath(name);
    if (path.isEmpty()) {
        return;
    }
    CommandGuard guard(m_tools.dialogs, this);
    const bool saved = guard.run({}, [&] {
        QDir().mkpath(m_tools.tableFolder());
        writeFileBytesOrThrow(path, graphic::writeWidthTable(records()));
    });
    if (saved) {
        listTableFiles(*m_files, m_tools.tableFolder());
        m_tools.dialogs.message(this, name + QStringLiteral(" を登録しました。"), QString(),
                                MessageIcon::Information);
    }
}

void AptFrm::Command_Delete() {
    const QString name = m_fileName->text();
    const QString path = tablePath(name);
    if (path.isEmpty() || !m_tools.dialogs.askYesNo(
                              this, name + QStringLiteral(" を削除してよいですか。"), QString())) {
        return;
    }
    QFile::remove(path);
    listTableFiles(*m_files, m_tools.tableFolder());
}

void AptFrm::MSFlexGrid1_Click(int row, int column) {
    m_row = row;
    m_column = column;
    QTableWidgetItem* item = gridCell(*m_grid, row, column);
    if (column == 2) {
        const auto chosen =
            m_tools.dialogs.color(this, QPainterCanvas::toQColor(cellColour(*item)));
        if (chosen) {
            paintColourCell(*item, QPainterCanvas::fromQColor(*chosen));
        }
        return;
    }
    m_cellEdit->setText(item->text());
    m_cellEdit->setFocus();
}

void AptFrm::cellEdited(const QString& typed) {
    if (m_row < 0 || m_column < 0 || m_column == 2) {
        return;
    }
    QTableWidgetItem* item = gridCell(*m_grid, m_row, m_column);
    if (m_column == 0) {
        item->setText(typed);
        return;
    }
    const auto size = graphic::drawingSize(typed.toStdString());
    item->setText(QString::fromStdString(text::formatPicture(size.value_or(0), "###0.000")));
}

AptLoadFrm::AptLoadFrm(const GraphTools& tools, std::function<void()> applied, QWidget* parent)
    : QDialog(parent), m_tools(tools), m_applied(std::move(applied)) {
    setObjectName(QStringLiteral("AptLoadFrm"));
    setWindowTitle(QStringLiteral("線幅設定ファイルの読み込み"));
    auto* layout = new QGridLayout(this);
    m_files = tableList(*this, tools);
    layout->addWidget(m_files, 0, 0, 1, 2);
    connect(addButton(*this, *layout, QStringLiteral("読み込み"), "Command1", 1, 0),
            &QPushButton::clicked, this, &AptLoadFrm::Command_Load);
    connect(addButton(*this, *layout, QStringLiteral("閉じる"), "Command2", 1, 1),
            &QPushButton::clicked, this, &QDialog::reject);
    resize(300, 300);
}

void AptLoadFrm::Command_Load() {
    const QString name = selectedFile(*m_files);
    const auto file = graphic::tableFileName(name.toStdString());
    if (!file) {
        return;
    }
    CommandGuard guard(m_tools.dialogs, this);
    const bool loaded = guard.run({}, [&] {
        graphic::applyWidthTable(readTableFile(m_tools.tableFolder() + name),
                                 m_tools.graph.tables(), m_tools.graph.colours());
    });
    if (loaded) {
        accept();
        if (m_applied) {
            m_applied();
        }
    }
}

}  // namespace talmir
