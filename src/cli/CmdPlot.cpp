// talmir-convert plot INPUT -o OUT.png|.bmp|.jpg|.pdf: the graphic window's picture
// of a program, drawn headless. The program is scanned as the G-code window's
// text (and --holes as the hole-data window's), fitted and drawn by GrSub
// exactly as the window draws it, with the default colours (or those and the
// widths of the line-width table --widths, applied to its layers by name). With
// --wire the program is a wire-cut program, expanded with its subprograms (--sub
// DIR) and plotted as "ワイヤーFUNAC" plots it.

#include "cli/OptionTable.h"
#include "cli/WireSubprograms.h"

#include "core/graphic/ExpandedPlot.h"
#include "core/graphic/GrSub.h"
#include "core/graphic/LineWidthTable.h"
#include "core/graphic/PlotScanner.h"
#include "core/text/Lines.h"
#include "render/QPainterCanvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <charconv>
#include <cstdio>
#include <string>

namespace talmir::cli {
namespace {

// Qt's own notes ("XDG_RUNTIME_DIR not set" and the like) would mix with the
// command's messages on standard error; only its errors go there.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

// Text and fonts need a GUI application; with no display the offscreen platform
// serves.
void ensureApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(quietQtMessages);
    static int argc = 1;
    static char name[] = "talmir-convert";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

// "1920x1080" -> width and height, each 1 to 20000 pixels.
bool parseSize(std::string_view text, int& width, int& height) {
    const auto x = text.find('x');
    if (x == std::string_view::npos) {
        return false;
    }
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto w = std::from_chars(begin, begin + x, width);
    const auto h = std::from_chars(begin + x + 1, end, height);
    return w.ec == std::errc() && w.ptr == begin + x && h.ec == std::errc() && h.ptr == end &&
           width >= 1 && height >= 1 && width <= 20000 && height <= 20000;
}

// The format without --format: the -o file's extension, else png.
std::string formatOf(const Arguments& args) {
    if (args.outputPath) {
        const auto dot = args.outputPath->rfind('.');
        if (dot != std::string::npos) {
            std::string ext = args.outputPath->substr(dot + 1);
            for (char& c : ext) {
                c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            }
            return ext == "jpeg" ? "jpg" : ext;
        }
    }
    return "png";
}

struct Plot {
    graphic::PlotTables tables;
    graphic::ColourTable colours;
    graphic::PlotView view;
    graphic::PickList picks;
    graphic::DrawOptions options;
};

void draw(Plot& plot, QPainter& painter, int width, int height) {
    QPainterCanvas canvas(painter, width, height);
    graphic::MOTOZU(canvas, plot.tables, plot.colours, plot.view, plot.options, plot.picks);
}

struct PlotOptions {
    std::optional<std::string> holes;   // the hole-data file
    std::optional<std::string> widths;  // a line-width table applied to the layers
    bool wire = false;                  // the input is a wire-cut program
    std::string sub;                    // its subprogram folder
    int width = 1920;
    int height = 1080;
    graphic::DrawOptions draw;
    std::string format;  // png, bmp, jpg or pdf when it is well chosen
};

Outcome encode(Plot& plot, const PlotOptions& options, exporters::ExportSink& sink) {
    const std::string& format = options.format;
    const int width = options.width;
    const int height = options.height;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == "pdf") {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(width, height), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        draw(plot, painter, width, height);
    } else {
        QImage image(width, height, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            draw(plot, painter, width, height);
        }
        const char* qtFormat = format == "jpg" ? "JPG" : format == "bmp" ? "BMP" : "PNG";
        if (!image.save(&buffer, qtFormat, format == "jpg" ? 100 : -1)) {
            return Outcome::failed("talmir-convert plot: the image could not be encoded\n");
        }
    }
    buffer.close();
    putWhole(sink, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return {};
}

Outcome runPlot(const PlotOptions& options, const Inputs& inputs, exporters::ExportSink& sink) {
    const std::string& format = options.format;
    if (format != "png" && format != "bmp" && format != "jpg" && format != "pdf") {
        return Outcome::usage("talmir-convert plot: the output must be .png, .bmp, .jpg or .pdf\n");
    }
    if (options.holes && options.wire) {
        return Outcome::usage("talmir-convert plot: --holes and --wire do not go together\n");
    }
    std::string holes;
    if (options.holes) {
        const auto data = readOptionFile(*options.holes);
        if (!data) {
            return Outcome::failed("talmir-convert: cannot read " + *options.holes + "\n");
        }
        holes = text::paneSnapshot(*data);
    }
    std::optional<std::string> widths;
    if (options.widths && !(widths = readOptionFile(*options.widths))) {
        return Outcome::failed("talmir-convert: cannot read " + *options.widths + "\n");
    }
    ensureApplication();
    // The file is scanned as it stands: its lines read the same as the lines of
    // the pane it would be loaded into.
    Plot plot;
    if (options.wire) {
        const auto expanded = importers::WirFmt(inputs[0], subprogramsIn(options.sub));
        if (!expanded) {
            return Outcome::failed(failureMessage(expanded.failure()));
        }
        if (!graphic::loadExpandedPlot(plot.tables, expanded.value())) {
            return Outcome::failed(
                failureMessage(Failure::message("Ｇコードが確認出来ませんでした")));
        }
    } else {
        graphic::scanPlotTables(
            plot.tables,
            {options.holes ? std::optional<std::string_view>(holes) : std::nullopt, inputs[0]});
    }
    if (widths) {
        graphic::applyWidthTable(graphic::readWidthTable(*widths), plot.tables, plot.colours);
    }
    plot.options = options.draw;
    return encode(plot, options, sink);
}

const CommandRegistration kPlot{commandInfo<PlotOptions>({
    .name = "plot",
    .summary = "the graphic window's plot of a G-code program (and hole data), fitted, as an image",
    .table = {{
        text("holes", "HOLEFILE", &PlotOptions::holes),
        text("widths", "TABLE", &PlotOptions::widths),
        flag("wire", &PlotOptions::wire),
        text("sub", "DIR", &PlotOptions::sub)
            .orElse([](PlotOptions& options, const Arguments& args) {
                options.sub = subprogramFolderBeside(args);
            }),
        value<PlotOptions>("size", "WxH",
                           [](PlotOptions& options, std::string_view size) {
                               return parseSize(size, options.width, options.height);
                           })
            .refusing("--size wants WIDTHxHEIGHT, 1 to 20000 each"),
        flag<PlotOptions>("g00", [](PlotOptions& options) { options.draw.showG00 = true; }),
        flag<PlotOptions>("arcs-as-lines",
                          [](PlotOptions& options) { options.draw.arcsAsLines = true; }),
        flag<PlotOptions>("reference-lines",
                          [](PlotOptions& options) { options.draw.referenceLines = true; }),
        text("format", "png|bmp|jpg|pdf", &PlotOptions::format)
            .orElse([](PlotOptions& options, const Arguments& args) {
                options.format = formatOf(args);
            }),
    }},
    .run = runPlot,
    .output = "-o OUT.png|.bmp|.jpg|.pdf",
})};

}  // namespace
}  // namespace talmir::cli
