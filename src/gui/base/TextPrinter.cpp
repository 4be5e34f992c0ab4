#include "gui/base/TextPrinter.h"

#include "core/Failure.h"
#include "core/app/FontSettings.h"
#include "core/text/Lines.h"
#include "core/text/ShiftJis.h"
#include "gui/base/CommandGuard.h"
#include "gui/base/Dialogs.h"
#include "gui/base/EditorFont.h"
#include "gui/base/TextPane.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace talmir {

namespace {

// Owns the program's printer; a child of the application object, so the printer
// goes before Qt does.
class PrinterHolder : public QObject {
public:
    explicit PrinterHolder(QObject* parent) : QObject(parent) {
        printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    }
    QPrinter printer{QPrinter::HighResolution};
};

const QString kPdfFilter = QStringLiteral("PDF(*.pdf)|*.pdf");

}  // namespace

QFont storedPrintFont(const app::SettingsStore& store) {
    return editorFont(app::readFontSettings(store, true));
}

QPrinter& programPrinter() {
    static PrinterHolder* holder = nullptr;
    if (holder == nullptr) {
        holder = new PrinterHolder(QCoreApplication::instance());
        QObject::connect(holder, &QObject::destroyed, [] { holder = nullptr; });
    }
    return holder->printer;
}

bool noPrinterInstalled() {
    return QPrinterInfo::availablePrinterNames().isEmpty();
}

int printTextListing(QPrinter& printer, const QFont& font, std::string_view text) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw Failure{482, "プリンタ エラーです。"};
    }
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QRectF page(QPointF(0, 0),
                      printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const qreal lineHeight = metrics.lineSpacing();
    // Lines are never wrapped: the clip cuts them at the page edge.
    painter.setClipRect(page);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs;
    int pages = 1;
    qreal y = 0;
    std::string utf8;
    text::LineReader reader(text);
    for (std::string_view line; reader.next(line);) {
        if (y > 0 && y + lineHeight > page.height()) {
            printer.newPage();
            ++pages;
            y = 0;
        }
        utf8.clear();
        text::appendShiftJisToUtf8(utf8, line);
        if (!utf8.empty()) {
            painter.drawText(QRectF(0, y, 1e7, lineHeight), flags,
                             QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
        }
        y += lineHeight;
    }
    if (!painter.end()) {
        throw Failure{482, "プリンタ エラーです。"};
    }
    return pages;
}

void printPane(QWidget* window, const TextPane& pane, const app::SettingsStore& store,
               Dialogs& dialogs, CommandGuard& guard, const QString& documentName) {
    QPrinter& printer = programPrinter();
    const bool toPdf = noPrinterInstalled();
    if (toPdf) {
        QString suggested = documentName.isEmpty() ? QStringLiteral("Talmir") : documentName;
        const auto path = dialogs.saveFile(
            window, FileDialogRequest{QStringLiteral("印刷"), {}, suggested + ".pdf", kPdfFilter});
        if (!path) {
            return;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*path);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        if (printer.printerName().isEmpty()) {
            printer.setPrinterName(QPrinterInfo::defaultPrinterName());
        }
    }
    printer.setDocName(documentName.isEmpty() ? QStringLiteral("Talmir") : documentName);
    guard.run({}, [&] { printTextListing(printer, storedPrintFont(store), pane.shiftJis()); });
    if (toPdf) {
        // The next listing asks for its file again.
        printer.setOutputFileName(QString());
    }
}

}  // namespace talmir
