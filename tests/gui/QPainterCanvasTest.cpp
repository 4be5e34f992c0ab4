// The QPainter canvas on real pixels: what GrSub draws lands where the world
// window says, batched runs of lines give the very image that line-by-line
// drawing gives, and talmir-convert plot writes the picture in each format.
#include "core/graphic/GrSub.h"
#include "core/graphic/PlotScanner.h"
#include "render/QPainterCanvas.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <string>

using namespace talmir;
using namespace talmir::graphic;

namespace {

struct Scene {
    PlotTables tables;
    ColourTable colours;
    PlotView view;
    PickList picks;
    DrawOptions options;

    explicit Scene(std::string_view gcode) {
        scanPlotTables(tables, {{}, gcode});
        fitView(view, tables);
    }
    QImage draw(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        QPainter painter(&image);
        QPainterCanvas canvas(painter, width, height);
        GrSub(canvas, tables, colours, view, options, picks);
        return image;
    }
};

// A wandering tool path of many short steps, most of them within one pixel.
std::string wanderingPath(int steps) {
    std::string text = "L\nG00X0Y0\n";
    double x = 0;
    double y = 0;
    double heading = 0;
    for (int k = 0; k < steps; ++k) {
        heading += std::sin(k * 0.37) * 0.5;
        const double step = 0.02 + 0.5 * (1 + std::sin(k * 1.3)) * (k % 50 == 0 ? 20 : 1);
        x += step * std::cos(heading);
        y += step * std::sin(heading);
        text += "G01X" + std::to_string(x) + "Y" + std::to_string(y) + "\n";
    }
    return text;
}

QString converter() {
    return QCoreApplication::applicationDirPath() + "/talmir-convert";
}

}  // namespace

class QPainterCanvasTest : public QObject {
    Q_OBJECT

private slots:
    void drawsAtTheWorldWindowsPixels() {
        Scene scene("L\nG00X0Y0\nG01X10Y0\nG01X10Y10");
        scene.colours.entries[1] = 255;  // layer 0 red (0x00BBGGRR)
        const QImage image = scene.draw(200, 200);
        // The fit is -5..15 both ways: 10 pixels a unit, Y upward.
        QCOMPARE(image.pixel(50, 150), qRgb(255, 0, 0));   // (0, 0)
        QCOMPARE(image.pixel(120, 150), qRgb(255, 0, 0));  // (7, 0)
        QCOMPARE(image.pixel(150, 80), qRgb(255, 0, 0));   // (10, 7)
        QCOMPARE(image.pixel(120, 140), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
    }

    void arcsRunCounterClockwise() {
        // G3 from (10, 0) about the origin to (-10, 0): the upper half only.
        Scene scene("L\nG00X10Y0\nG03X-10Y0I-10J0");
        const QImage image = scene.draw(300, 300);
        const WorldWindow w = *worldWindow(scene.view, 300, 300);
        auto at = [&](double x, double y) {
            return image.pixel(static_cast<int>(std::floor(w.toPixelX(x))),
                               static_cast<int>(std::floor(w.toPixelY(y))));
        };
        QVERIFY(at(0, 10) != qRgb(0, 0, 0) || at(0, 9.9) != qRgb(0, 0, 0));
        QCOMPARE(at(0, -9.5), qRgb(0, 0, 0));  // the fit takes the upper half only
        QCOMPARE(at(0, -9.9), qRgb(0, 0, 0));
    }

    void batchedRunsGiveTheSameImageAsLineByLine() {
        Scene scene(wanderingPath(20000));
        const QImage batched = scene.draw(640, 480);
        // The same records, each as a line of its own, on the same world window.
        QImage single(640, 480, QImage::Format_RGB32);
        {
            QPainter painter(&single);
            QPainterCanvas canvas(painter, 640, 480);
            const WorldWindow w = *worldWindow(scene.view, 640, 480);
            canvas.setWorldWindow(w);
            canvas.clear(kBlack);
            canvas.setPen(kDefaultLayerColour, 1, PenStyle::Solid);
            WorldPoint p{0, 0};
            for (const PathRow& r : scene.tables.paths) {
                const WorldPoint e{r.x, r.y};
                if (r.g == 1) {
                    canvas.line(p, e);
                }
                p = e;
            }
        }
        int differing = 0;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                differing += batched.pixel(x, y) != single.pixel(x, y);
            }
        }
        QCOMPARE(differing, 0);
    }

    void linesOnAnImageLightThePaintersPixels() {
        // The canvas writes one-pixel lines into an image's pixels itself; the
        // painter's own lines of the same pen must give the very same image, for
        // every slope, direction and length, on and off the surface.
        constexpr int kW = 160;
        constexpr int kH = 120;
        QImage mine(kW, kH, QImage::Format_RGB32);
        QImage painters(kW, kH, QImage::Format_RGB32);
        mine.fill(Qt::black);
        painters.fill(Qt::black);
        QPainter painter(&mine);
        QPainterCanvas canvas(painter, kW, kH);
        canvas.setWorldWindow({0, kW, kH, 0, kW, kH});
        QPainter reference(&painters);
        std::uint64_t seed = 12345;
        auto next = [&](int span) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            return static_cast<int>((seed >> 33) % static_cast<std::uint64_t>(span));
        };
        // Pixel (x, y) is the world point at the middle of that cell.
        auto world = [](int x, int y) { return WorldPoint{x + 0.5, kH - y - 0.5}; };
        for (int k = 0; k < 6000; ++k) {
            if (k % 500 == 0) {
                const Colour colour = 0x10204 * static_cast<Colour>(k / 500 + 1);
                canvas.setPen(colour, 1, PenStyle::Solid);
                QPen pen(QPainterCanvas::toQColor(colour));
                pen.setCosmetic(true);
                pen.setCapStyle(Qt::RoundCap);
                reference.setPen(pen);
            }
            const int reach = k % 3 == 0 ? 2000 : 240;  // some run far past the edges
            const int x1 = next(reach) - (reach - kW) / 2;
            const int y1 = next(reach) - (reach - kH) / 2;
            const int x2 = k % 4 == 0 ? x1 + next(7) - 3 : next(reach) - (reach - kW) / 2;
            const int y2 = k % 4 == 0 ? y1 + next(7) - 3 : next(reach) - (reach - kH) / 2;
            canvas.line(world(x1, y1), world(x2, y2));
            reference.drawLine(QLineF(x1, y1, x2, y2));
            if (k % 7 == 0) {
                canvas.pixel(world(x2, y1));
                reference.drawPoint(QPointF(x2, y1));
            }
        }
        canvas.flush();
        painter.end();
        reference.end();
        int differing = 0;
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                differing += mine.pixel(x, y) != painters.pixel(x, y);
            }
        }
        QCOMPARE(differing, 0);
    }

    void notXorDrawnTwiceErases() {
        QImage image(50, 50, QImage::Format_RGB32);
        image.fill(qRgb(10, 20, 30));
        const QImage before = image.copy();
        QPainter painter(&image);
        QPainterCanvas canvas(painter, 50, 50);
        canvas.setWorldWindow({0, 50, 50, 0, 50, 50});
        canvas.setMode(PenMode::NotXor);
        canvas.setPen(kRed, 1, PenStyle::Solid);
        canvas.line({0, 25}, {50, 25});
        QVERIFY(image != before);
        canvas.line({0, 25}, {50, 25});
        painter.end();
        QCOMPARE(image, before);
    }

    void hugeArcsAndFarPointsStayBounded() {
        QImage image(100, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        QPainterCanvas canvas(painter, 100, 100);
        canvas.setWorldWindow({0, 1, 1, 0, 100, 100});
        canvas.clear(kBlack);
        canvas.setPen(kWhite, 1, PenStyle::Solid);
        // A circle of radius 1e9 through the surface, and a line to 1e30.
        canvas.arc({0.5, -1e9 + 0.5}, 1e9, 0, 0);
        canvas.line({0.5, 0.2}, {1e30, 0.2});
        canvas.flush();
        painter.end();
        QCOMPARE(image.pixel(50, 50), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(90, 80), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(50, 20), qRgb(0, 0, 0));
    }

    void plotCommandWritesEachFormat_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("png") << "out.png" << QByteArray("\x89PNG");
        QTest::newRow("bmp") << "out.bmp" << QByteArray("BM");
        QTest::newRow("jpg") << "out.jpg" << QByteArray("\xFF\xD8\xFF");
        QTest::newRow("pdf") << "out.pdf" << QByteArray("%PDF");
    }

    void plotCommandWritesEachFormat() {
        QFETCH(QString, file);
        QFETCH(QByteArray, magic);
        if (!QFileInfo::exists(converter())) {
            QSKIP("talmir-convert is not built beside this test");
        }
        QTemporaryDir dir;
        QFile program(dir.filePath("in.nc"));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("L\r\nG00X0Y0\r\nG01X10Y0\r\nG01X10Y10\r\n");
        program.close();
        QFile holes(dir.filePath("holes.txt"));
        QVERIFY(holes.open(QIODevice::WriteOnly));
        holes.write("T1C1.0\r\nT1\r\nX0Y10\r\n");
        holes.close();
        QProcess run;
        run.start(converter(), {"plot", "--size", "200x200", "--holes", holes.fileName(),
                                program.fileName(), "-o", dir.filePath(file)});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        QCOMPARE(run.readAllStandardError(), QByteArray());
        QFile out(dir.filePath(file));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QVERIFY(out.readAll().startsWith(magic));
        if (file.endsWith(".png")) {
            const QImage image(dir.filePath(file));
            QCOMPARE(image.size(), QSize(200, 200));
            // Where the fit of the same program (the hole with its radius) puts them.
            PlotTables tables;
            scanPlotTables(tables, {std::string_view("T1C1.0\r\nT1\r\nX0Y10\r\n"),
                                    std::string_view("L\r\nG00X0Y0\r\nG01X10Y0\r\nG01X10Y10\r\n")});
            PlotView view;
            fitView(view, tables);
            const WorldWindow w = *worldWindow(view, 200, 200);
            auto at = [&](double x, double y) {
                return image.pixel(static_cast<int>(std::floor(w.toPixelX(x))),
                                   static_cast<int>(std::floor(w.toPixelY(y))));
            };
            QCOMPARE(at(7, 0), qRgb(0, 0, 255));  // the line in blue
            const double pixel = (w.right - w.left) / 200;
            bool circle = false;  // the hole's circle, r 0.5, within a pixel
            for (const double dx : {-pixel, -pixel / 2, 0.0}) {
                circle = circle || at(0.5 + dx, 10) == qRgb(0, 0, 255);
            }
            QVERIFY(circle);
        }
    }

    void plotCommandRefusesBadUsage() {
        if (!QFileInfo::exists(converter())) {
            QSKIP("talmir-convert is not built beside this test");
        }
        QTemporaryDir dir;
        QFile program(dir.filePath("in.nc"));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("G01X1Y1");
        program.close();
        for (const QStringList& args : {QStringList{"--size", "0x10"}, QStringList{"--size", "12"},
                                        QStringList{"--format", "gif"}}) {
            QProcess run;
            run.start(converter(), QStringList{"plot"} + args +
                                       QStringList{program.fileName(), "-o", dir.filePath("o")});
            QVERIFY(run.waitForFinished(60000));
            QCOMPARE(run.exitCode(), 2);
        }
        QProcess missing;
        missing.start(converter(), {"plot", "--holes", dir.filePath("none"), program.fileName(),
                                    "-o", dir.filePath("o.png")});
        QVERIFY(missing.waitForFinished(60000));
        QCOMPARE(missing.exitCode(), 1);
        QVERIFY(!QFileInfo::exists(dir.filePath("o.png")));
    }
};

QTEST_MAIN(QPainterCanvasTest)
#include "QPainterCanvasTest.moc"
