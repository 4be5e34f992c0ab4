#include "gui/base/Dialogs.h"

#include "gui/base/InpFrm.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>

namespace talmir {

QString defaultMessageTitle() {
    return QStringLiteral("Talmir");
}

QString qtNameFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern =
                p.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : p.trimmed();
            patterns << pattern;
            if (pattern.toLower() != pattern) {
                patterns << pattern.toLower();
            }
        }
        filters << parts[i] + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QLatin1String(";;"));
}

void QtDialogs::message(QWidget* parent, const QString& text, const QString& title,
                        MessageIcon icon) {
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
        case MessageIcon::None:
            break;
        case MessageIcon::Information:
            qtIcon = QMessageBox::Information;
            break;
        case MessageIcon::Warning:
            qtIcon = QMessageBox::Warning;
            break;
        case MessageIcon::Critical:
            qtIcon = QMessageBox::Critical;
            break;
        case MessageIcon::Question:
            qtIcon = QMessageBox::Question;
            break;
    }
    QMessageBox box(qtIcon, title.isEmpty() ? defaultMessageTitle() : title, text, QMessageBox::Ok,
                    parent);
    box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& text, const QString& title) {
    return QMessageBox::question(parent, title.isEmpty() ? defaultMessageTitle() : title, text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Answer QtDialogs::askYesNoCancel(QWidget* parent, const QString& text, const QString& title) {
    switch (QMessageBox::question(parent, title.isEmpty() ? defaultMessageTitle() : title, text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

QString QtDialogs::startPath(const FileDialogRequest& request) const {
    QString folder = request.initialFolder.isEmpty() ? m_lastFolder : request.initialFolder;
    if (folder.isEmpty()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(request.fileName);
}

std::optional<QString> QtDialogs::remember(const QString& chosen) {
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    m_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

std::optional<QString> QtDialogs::openFile(QWidget* parent, const FileDialogRequest& request) {
    return remember(QFileDialog::getOpenFileName(parent, request.title, startPath(request),
                                                 qtNameFilter(request.filter)));
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const FileDialogRequest& request) {
    // The desktop's usual question comes before an existing file is replaced: the
    // name proposed may be the very drawing the program was converted from.
    return remember(QFileDialog::getSaveFileName(parent, request.title, startPath(request),
                                                 qtNameFilter(request.filter)));
}

std::optional<QColor> QtDialogs::color(QWidget* parent, const QColor& initial) {
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid()) {
        return std::nullopt;
    }
    return c;
}

std::optional<QFont> QtDialogs::font(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) {
        return std::nullopt;
    }
    return f;
}

bool QtDialogs::printerSetup(QWidget* parent, QPrinter& printer) {
    // The printer itself is chosen here, with its paper and properties; the
    // commands print on the very QPrinter they hand in, so the choice is used.
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("プリンターの設定"));
    // A set-up prints nothing: its accept button is no "印刷(P)" (Print).
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* accept = buttons->button(QDialogButtonBox::Ok)) {
            accept->setText(QStringLiteral("OK"));
        }
    }
    return dialog.exec() == QDialog::Accepted;
}

QString QtDialogs::inputLine(QWidget* parent, const QString& initial) {
    InpFrm box(parent);
    box.setText(initial);
    box.exec();
    return box.text();
}

}  // namespace talmir
