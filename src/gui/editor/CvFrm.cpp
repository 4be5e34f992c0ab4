#include "gui/editor/CvFrm.h"

#include "core/Failure.h"
#include "core/text/ShiftJis.h"
#include "gui/base/Dialogs.h"
#include "gui/windows/EditFrm.h"
#include "gui/windows/EditFrmCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace talmir {

namespace {

const char* const kHexDigits = "0123456789ABCDEF";

QString fromShiftJis(const std::string& bytes) {
    return QString::fromStdString(text::shiftJisToUtf8(bytes));
}

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

CvFrm::CvFrm(EditFrm& frm) : QDialog(&frm), m_frm(frm) {
    setWindowTitle(QStringLiteral("コードエディタ"));
    m_name = new QComboBox(this);
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_name->setMinimumWidth(200);
    m_edit = new QCheckBox(QStringLiteral("コード編集を行う"), this);
    m_buttons[0] = new QPushButton(QStringLiteral("登録"), this);
    m_buttons[1] = new QPushButton(QStringLiteral("削除"), this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("ファイル名"), this));
    top->addWidget(m_name, 1);
    top->addWidget(m_edit);
    for (QPushButton* b : m_buttons) {
        b->setAutoDefault(false);
        top->addWidget(b);
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    auto* validator =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]*")), this);
    for (int k = 0; k < 16; ++k) {
        grid->addWidget(heading(QString(QLatin1Char(kHexDigits[k])), this), 0, k + 1);
        grid->addWidget(heading(QString(QLatin1Char(kHexDigits[k])) + QLatin1Char('0'), this),
                        k + 1, 0);
    }
    const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("WWW"));
    for (int i = 0; i < static_cast<int>(editor::kCodeCount); ++i) {
        auto* edit = new QLineEdit(QStringLiteral("0"), this);
        edit->setFixedWidth(boxWidth);
        edit->setAlignment(Qt::AlignCenter);
        edit->setReadOnly(true);
        edit->setValidator(validator);
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->installEventFilter(this);
        grid->addWidget(edit, i / 16 + 1, i % 16 + 1);
        m_boxes[static_cast<std::size_t>(i)] = edit;
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);

    connect(m_name, qOverload<int>(&QComboBox::activated), this, [this] { Combo1_Click(); });
    connect(m_edit, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(m_buttons[0], &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(m_buttons[1], &QPushButton::clicked, this, [this] { Command1_Click(1); });

    // A first start finds the identity table; a folder that cannot be made leaves
    // the list empty and saving reports it.
    (void)editor::ensureCodeTableFolder(m_frm.folders().AppDir);
    for (const std::string& name : editor::listCodeTables(m_frm.folders().AppDir)) {
        m_name->addItem(QString::fromStdString(name));
    }
    if (m_name->count() > 0) {
        m_name->setCurrentIndex(0);
        Combo1_Click();
    } else {
        m_name->setEditText(QString());
    }
}

bool CvFrm::eventFilter(QObject* watched, QEvent* event) {
    // Typed characters other than hexadecimal digits never reach a box, the
    // backspace key and Ctrl shortcuts (paste) included; keys without a character
    // (arrows, Delete, Tab) work as usual.
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched) != nullptr) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            return false;
        }
        const QString typed = key->text();
        if (!typed.isEmpty()) {
            const bool hex = typed.size() == 1 && typed[0].unicode() < 0x80 &&
                             editor::isCodeBoxChar(static_cast<char>(typed[0].unicode())) &&
                             !(key->modifiers() & Qt::ControlModifier);
            return !hex;
        }
    }
    return QDialog::eventFilter(watched, event);
}

editor::CodeBoxes CvFrm::boxTexts() const {
    editor::CodeBoxes boxes;
    for (std::size_t i = 0; i < editor::kCodeCount; ++i) {
        boxes[i] = text::utf8ToShiftJis(m_boxes[i]->text().toStdString());
    }
    return boxes;
}

void CvFrm::showBoxes(const editor::CodeBoxes& boxes) {
    for (std::size_t i = 0; i < editor::kCodeCount; ++i) {
        m_boxes[i]->setText(fromShiftJis(boxes[i]));
    }
}

void CvFrm::Combo1_Click() {
    editor::CodeBoxes zeros;
    zeros.fill("0");
    showBoxes(zeros);
    m_edit->setChecked(false);
    Check1_Click();
    auto file =
        editor::readCodeTableFile(m_frm.folders().AppDir, m_name->currentText().toStdString());
    if (file) {
        showBoxes(editor::loadCodeBoxes(file.value()));
    }
}

void CvFrm::Check1_Click() {
    for (QLineEdit* edit : m_boxes) {
        edit->setReadOnly(!m_edit->isChecked());
    }
}

void CvFrm::reportError(const Failure& failure) {
    m_frm.dialogs().message(this,
                            QStringLiteral("ERrNumbER=") + QString::number(failure.number) +
                                QStringLiteral("\r\n") +
                                QString::fromStdString(failure.description),
                            {}, MessageIcon::None);
}

void CvFrm::Command1_Click(int index) {
    const QString name = m_name->currentText();
    const std::string appDir = m_frm.folders().AppDir;
    if (index == 0) {
        if (auto failure = editor::saveCodeTableFile(appDir, name.toStdString(),
                                                     editor::writeCodeBoxes(boxTexts()))) {
            reportError(*failure);
            return;
        }
        if (m_name->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
            m_name->addItem(name);
            m_name->setCurrentIndex(m_name->count() - 1);
        }
        m_frm.dialogs().message(
            this, QString::fromStdString(editor::codeTableSavedMessage(name.toStdString())), {},
            MessageIcon::None);
    } else if (index == 1) {
        if (!m_frm.dialogs().askYesNo(
                this, QString::fromStdString(editor::codeTableDeleteQuestion(name.toStdString())),
                {})) {
            return;
        }
        if (auto failure = editor::deleteCodeTableFile(appDir, name.toStdString())) {
            reportError(*failure);
            return;
        }
        const int entry = m_name->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (entry >= 0) {
            m_name->removeItem(entry);
        }
    }
}

void MnuCvED_Click(EditFrm& frm) {
    CvFrm dialog(frm);
    dialog.exec();
}

namespace {

const EditFrmCommandRegistration kCvED{"MnuCvED_Click", [](EditFrm& frm) { MnuCvED_Click(frm); }};

}  // namespace

}  // namespace talmir
