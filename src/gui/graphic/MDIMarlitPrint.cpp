// Printing from the graphic frame: the print panel, the paper box that follows
// the mouse over the plot, and the page printed under the box when it is clicked.
#include "gui/base/Dialogs.h"
#include "gui/graphic/CvGrph.h"
#include "gui/graphic/MDIMarlit.h"
#include "gui/graphic/PrintPanel.h"
#include "gui/windows/EditFrm.h"
#include "render/QPainterCanvas.h"

#include <QComboBox>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>

namespace talmir {

namespace {

constexpr std::string_view kGrphSection = "Grph";
constexpr std::string_view kPointSizeKey = "Pw";
constexpr std::string_view kLineWidthKey = "Dw";
constexpr std::string_view kPaperKey = "Psiz";

QPageSize pageSizeOf(int paperCode) {
    switch (paperCode) {
        case 13:
            return QPageSize(QPageSize::JisB5);
        case 12:
            return QPageSize(QPageSize::JisB4);
        case 8:
            return QPageSize(QPageSize::A3);
        default:
            return QPageSize(QPageSize::A4);
    }
}

// A stored list position, or `fallback` when it is not one of the list's.
int storedIndex(const app::SettingsStore& store, std::string_view key, int fallback, int count) {
    const double value = store.getNumber(kGrphSection, key, fallback);
    return value >= 0 && value < count ? static_cast<int>(value) : fallback;
}

// The printer's view of the plot: lines as wide as the panel's line width, and
// what the screen shows as a single pixel as a dot of the chosen point size (no
// dot at all for "なし").
class PrintCanvas final : public graphic::Canvas {
public:
    PrintCanvas(graphic::Canvas& inner, int lineWidth, int pointSize)
        : m_inner(inner), m_lineWidth(lineWidth), m_pointSize(pointSize) {}

    int widthPx() const override { return m_inner.widthPx(); }
    int heightPx() const override { return m_inner.heightPx(); }
    void setWorldWindow(const graphic::WorldWindow& window) override {
        m_inner.setWorldWindow(window);
    }
    void clear(graphic::Colour background) override { m_inner.clear(background); }
    void setPen(graphic::Colour colour, int widthPx, graphic::PenStyle style) override {
        m_colour = colour;
        m_width = widthPx * m_lineWidth;
        m_style = style;
        m_inner.setPen(colour, m_width, style);
    }
    void setMode(graphic::PenMode mode) override { m_inner.setMode(mode); }
    void line(graphic::WorldPoint from, graphic::WorldPoint to) override { m_inner.line(from, to); }
    void polyline(std::span<const graphic::WorldPoint> points) override {
        m_inner.polyline(points);
    }
    void circle(graphic::WorldPoint centre, double radius) override {
        m_inner.circle(centre, radius);
    }
    void arc(graphic::WorldPoint centre, double radius, double fromRad, double toRad) override {
        m_inner.arc(centre, radius, fromRad, toRad);
    }
    void pixel(graphic::WorldPoint at) override {
        if (m_pointSize <= 0) {
            return;
        }
        m_inner.setPen(m_colour, m_pointSize, graphic::PenStyle::Solid);
        m_inner.pixel(at);
        m_inner.setPen(m_colour, m_width, m_style);
    }
    void text(graphic::WorldPoint at, std::string_view utf8) override { m_inner.text(at, utf8); }
    double textLineHeight() const override { return m_inner.textLineHeight(); }
    void flush() override { m_inner.flush(); }

private:
    graphic::Canvas& m_inner;
    int m_lineWidth;
    int m_pointSize;
    graphic::Colour m_colour = graphic::kBlack;
    int m_width = 1;
    graphic::PenStyle m_style = graphic::PenStyle::Solid;
};

QString printerLabel(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return printer.outputFileName();
    }
    return printer.printerName();
}

}  // namespace

void MDIMarlit::MnuPrint_Click() {
    PrintPanel& panel = *m_printPanel;
    if (panel.isVisible()) {
        return;
    }
    setMenusEnabled(false);
    const app::SettingsStore& store = m_owner.settings();
    {
        // Restoring the lists is no change of paper by the user.
        const QSignalBlocker blockPaper(panel.paper());
        panel.pointSize().setCurrentIndex(
            storedIndex(store, kPointSizeKey, 1, panel.pointSize().count()));
        panel.lineWidth().setCurrentIndex(
            storedIndex(store, kLineWidthKey, 1, panel.lineWidth().count()));
        panel.paper().setCurrentIndex(storedIndex(store, kPaperKey, 0, panel.paper().count()));
    }
    panel.printerName().setText(printerLabel(*m_printer));
    m_graph->options().printPreview = true;
    m_graph->options().blackInk = panel.blackInk().isChecked();
    panel.show();
    applyPage();
    m_graph->startPaperBox();
}

void MDIMarlit::applyPage() {
    PrintPanel& panel = *m_printPanel;
    m_printer->setPageSize(pageSizeOf(panel.paper().currentData().toInt()));
    m_printer->setPageOrientation(panel.landscape().isChecked() ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
    const double scale = panel.scale();
    const QRectF printable = m_printer->pageLayout().paintRect(QPageLayout::Millimeter);
    // The box leaves the plot while its size changes.
    if (m_graph->CommandState() == CvGrph::kPaperBox) {
        m_graph->lostFocus();
    }
    m_graph->RubberBoxWidth = static_cast<float>(printable.width() / scale);
    m_graph->RubberBoxHeight = static_cast<float>(printable.height() / scale);
}

void MDIMarlit::MnuPrintSet_Click() {
    if (m_owner.dialogs().printerSetup(this, *m_printer)) {
        m_printPanel->printerName().setText(printerLabel(*m_printer));
        const double scale = m_printPanel->scale();
        const QRectF printable = m_printer->pageLayout().paintRect(QPageLayout::Millimeter);
        if (m_graph->CommandState() == CvGrph::kPaperBox) {
            m_graph->lostFocus();
        }
        m_graph->RubberBoxWidth = static_cast<float>(printable.width() / scale);
        m_graph->RubberBoxHeight = static_cast<float>(printable.height() / scale);
    }
}

void MDIMarlit::Cmdclose_Click() {
    m_graph->ComandCange();
}

void MDIMarlit::onCommandEnded() {
    PrintPanel& panel = *m_printPanel;
    if (panel.isVisible()) {
        app::SettingsStore& store = m_owner.settings();
        store.setNumber(kGrphSection, kPointSizeKey, panel.pointSize().currentIndex());
        store.setNumber(kGrphSection, kLineWidthKey, panel.lineWidth().currentIndex());
        store.setNumber(kGrphSection, kPaperKey, panel.paper().currentIndex());
        panel.hide();
    }
    m_graph->options().printPreview = false;
    // The transform panels close with every command's end.
    m_scalePanel->hide();
    m_movePanel->hide();
    setMenusEnabled(true);
}

bool MDIMarlit::PrintOut(float x, float y) {
    QPrinter& printer = *m_printer;
    // Where no printer is installed the page goes to a PDF file of the user's
    // choice.
    const bool toFile = printer.outputFormat() == QPrinter::NativeFormat &&
                        QPrinterInfo::availablePrinters().isEmpty();
    if (toFile) {
        FileDialogRequest request;
        request.title = QStringLiteral("印刷");
        request.fileName = QStringLiteral("plot.pdf");
        request.filter = QStringLiteral("PDF (*.pdf)|*.pdf|全てのファイル (*.*)|*.*");
        const auto chosen = m_owner.dialogs().saveFile(this, request);
        if (!chosen || chosen->isEmpty()) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*chosen);
    }
    QPainter painter;
    const bool started = painter.begin(&printer);
    if (started) {
        PrintPanel& panel = *m_printPanel;
        const double scale = panel.scale();
        const QPageLayout layout = printer.pageLayout();
        const QRectF millimetres = layout.paintRect(QPageLayout::Millimeter);
        const QRect pixels = layout.paintRectPixels(printer.resolution());

        // The page shows the world from the clicked corner, s millimetres a unit.
        graphic::PlotView view;
        view.ViewWidth = static_cast<float>(millimetres.width() / scale);
        view.ViewHeight = static_cast<float>(millimetres.height() / scale);
        view.ViewLeft = x;
        view.ViewRight = x + view.ViewWidth;
        view.ViewTop = y;
        view.ViewBottom = y - view.ViewHeight;
        view.ViewCentreX = x + view.ViewWidth / 2;
        view.ViewCentreY = y - view.ViewHeight / 2;
        view.ChordStep = m_graph->view().ChordStep;

        graphic::DrawOptions options = m_graph->options();
        options.printPreview = true;
        options.blackInk = panel.blackInk().isChecked();
        options.CommandState = 0;
        options.yield = nullptr;
        graphic::PickList picks;
        {
            QPainterCanvas device(painter, pixels.width(), pixels.height());
            PrintCanvas canvas(device, m_printPanel->lineWidth().currentData().toInt(),
                               m_printPanel->pointSize().currentData().toInt());
            graphic::GrSub(canvas, m_owner.plotTables(), m_graph->colours(), view, options, picks);
        }
        painter.end();
    }
    if (toFile) {
        printer.setOutputFormat(QPrinter::NativeFormat);
    }
    if (!started) {
        m_owner.dialogs().message(this, QStringLiteral("印刷を開始できませんでした。"), QString(),
                                  MessageIcon::Warning);
    }
    return started;
}

}  // namespace talmir
