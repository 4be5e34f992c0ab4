#include "gui/graphic/CvGrph.h"

#include "core/text/NumberPicture.h"
#include "gui/base/CommandGuard.h"
#include "render/QPainterCanvas.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace talmir {

namespace {

const QString kCommandTitle = QStringLiteral("Orvanta_2");
const QString kSnapTitle = QStringLiteral("Orvanta_32");

// A redraw lets waiting paint events through this often, so that a long one
// shows its progress; input waits for the end of the redraw.
constexpr int kYieldMs = 50;

// The command a key runs on the drawing surface, or -1. The numeric pad's digits
// stand for the keys printed under them.
int commandOfKey(const QKeyEvent& event) {
    const bool keypad = (event.modifiers() & Qt::KeypadModifier) != 0;
    switch (event.key()) {
        case Qt::Key_Escape:
            return 0;
        case Qt::Key_Home:
            return 1;
        case Qt::Key_PageUp:
            return 2;
        case Qt::Key_PageDown:
            return 3;
        case Qt::Key_Up:
            return 4;
        case Qt::Key_Down:
            return 5;
        case Qt::Key_Left:
            return 6;
        case Qt::Key_Right:
            return 7;
        default:
            break;
    }
    if (!keypad) {
        return -1;
    }
    switch (event.key()) {
        case Qt::Key_7:
            return 1;
        case Qt::Key_9:
            return 2;
        case Qt::Key_3:
            return 3;
        case Qt::Key_8:
            return 4;
        case Qt::Key_2:
            return 5;
        case Qt::Key_4:
            return 6;
        case Qt::Key_6:
            return 7;
        default:
            return -1;
    }
}

// A magnifying glass, for the zoom mode when no cursor file is there.
QCursor drawnZoomCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 4));
    painter.drawEllipse(QPointF(12, 12), 8, 8);
    painter.drawLine(QPointF(18, 18), QPointF(29, 29));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawEllipse(QPointF(12, 12), 8, 8);
    painter.drawLine(QPointF(18, 18), QPointF(29, 29));
    painter.drawLine(QPointF(8, 12), QPointF(16, 12));
    painter.drawLine(QPointF(12, 8), QPointF(12, 16));
    painter.end();
    return QCursor(pixmap, 12, 12);
}

}  // namespace

CvGrph::CvGrph(graphic::PlotTables& tables, Dialogs& dialogs, QString appDir, QWidget* parent)
    : QWidget(parent), m_tables(tables), m_dialogs(dialogs), m_appDir(std::move(appDir)) {
    setObjectName(QStringLiteral("CvGrph"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_options.yield = [this] { yieldToEvents(); };
}

template <typename Body>
void CvGrph::guarded(const QString& title, Body&& body) {
    CommandGuard guard(m_dialogs, this);
    guard.run(title, body, false);
}

void CvGrph::Form_Load() {
    m_colours = graphic::ColourTable();
    QFile file(m_appDir + QStringLiteral("LAYER.RGB"));
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        graphic::readLayerColours(std::string_view(bytes.constData(), bytes.size()), m_colours);
    }
    m_options.CommandState = kIdle;
    SelectedLength = 0;
    setCursor(Qt::CrossCursor);
}

QCursor CvGrph::modeCursor(const char* fileName, bool zoom) const {
    const QPixmap pixmap(m_appDir + QLatin1String(fileName));
    if (!pixmap.isNull()) {
        return QCursor(pixmap, pixmap.width() / 2, pixmap.height() / 2);
    }
    return zoom ? drawnZoomCursor() : QCursor(Qt::SizeAllCursor);
}

void CvGrph::GrphCmd(int command) {
    guarded(kCommandTitle, [&] {
        switch (command) {
            case 0:
                ComandCange();
                break;
            case 1:
                MOTOZU();
                break;
            case 8:
                setCursor(modeCursor("move.ico", false));
                m_options.CommandState = kMoveMode;
                break;
            case 9:
                setCursor(modeCursor("zoom.ico", true));
                m_options.CommandState = kZoomMode;
                break;
            default:
                if (graphic::viewCommand(m_view, m_tables, command)) {
                    GrSub();
                }
                break;
        }
    });
}

void CvGrph::MOTOZU() {
    graphic::fitView(m_view, m_tables);
    GrSub();
}

void CvGrph::ComandCange() {
    emit commandEnded();
    setCursor(Qt::CrossCursor);
    m_options.CommandState = kIdle;
    GrSub();
}

void CvGrph::GrSub() {
    if (m_drawing) {
        m_redrawAgain = true;
        return;
    }
    m_drawing = true;
    do {
        m_redrawAgain = false;
        if (isVisible()) {
            setFocus();
        }
        const QSize size = this->size().expandedTo(QSize(1, 1));
        if (m_image.size() != size) {
            m_image = QImage(size, QImage::Format_RGB32);
        }
        {
            QPainter painter(&m_image);
            QPainterCanvas canvas(painter, size.width(), size.height());
            m_sinceYield.start();
            m_options.CommandState =
                graphic::GrSub(canvas, m_tables, m_colours, m_view, m_options, m_picks);
        }
        m_window = graphic::worldWindow(m_view, size.width(), size.height());
        m_crosshairShown = false;
        if (m_second) {
            drawOverlay(*m_second, kCompareColour);
        }
        if (m_marked) {
            drawOverlay(*m_marked, kMarkColour);
        }
        m_base = m_image;
        if (m_traced.PathCount >= 0 || m_traced.HoleCount >= 0) {
            drawOverlay(m_traced, kTraceColour);
        }
    } while (m_redrawAgain);
    m_drawing = false;
    // A redraw in a paper-box state leaves it waiting for the focus.
    if (CommandState() == kPaperBoxAway && hasFocus()) {
        gotFocus();
    }
    update();
}

void CvGrph::drawOverlay(const graphic::PlotTables& tables, graphic::Colour colour) {
    graphic::ColourTable colours;
    colours.entries.fill(colour);
    graphic::DrawOptions options = m_options;
    options.overlay = true;
    options.yield = nullptr;
    options.CommandState = kIdle;
    QPainter painter(&m_image);
    QPainterCanvas canvas(painter, m_image.width(), m_image.height());
    graphic::GrSub(canvas, tables, colours, m_view, options, m_overlayPicks);
}

void CvGrph::setComparison(std::optional<graphic::PlotTables> second,
                           std::optional<graphic::PlotTables> marked) {
    m_second = std::move(second);
    m_marked = std::move(marked);
    GrSub();
}

void CvGrph::setTraced(graphic::PlotTables traced) {
    m_traced = std::move(traced);
    if (m_base.isNull() || m_base.size() != m_image.size()) {
        GrSub();
        return;
    }
    m_image = m_base;
    if (m_traced.PathCount >= 0 || m_traced.HoleCount >= 0) {
        drawOverlay(m_traced, kTraceColour);
    }
    update();
}

double CvGrph::worldOfPixels(double pixels) const {
    if (!m_window || m_window->pixelsPerUnitX() <= 0) {
        return 0;
    }
    return pixels / m_window->pixelsPerUnitX();
}

void CvGrph::startPaperBox() {
    m_options.CommandState = kPaperBoxAway;
    setCursor(Qt::CrossCursor);
    GrSub();
}

void CvGrph::startPicking(int awayState) {
    m_options.CommandState = awayState;
    setCursor(modeCursor("0.ico", false));
    GrSub();
}

void CvGrph::startDataDelete() {
    m_options.CommandState = kDataDelete;
    GrSub();
}

bool CvGrph::crosshairState() const {
    return CommandState() == kPickSingle || CommandState() == kPickContour;
}

void CvGrph::invertCrosshair() {
    if (!m_window || m_image.isNull()) {
        return;
    }
    const QPoint at = toPixel({RubberX, RubberY}).toPoint();
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    // The crossing pixel once only, so that drawing twice erases it.
    painter.fillRect(0, at.y(), m_image.width(), 1, Qt::black);
    painter.fillRect(at.x(), 0, 1, at.y(), Qt::black);
    painter.fillRect(at.x(), at.y() + 1, 1, m_image.height() - at.y() - 1, Qt::black);
    m_crosshairShown = !m_crosshairShown;
    update();
}

void CvGrph::invertPaperBox() {
    if (!m_window || m_image.isNull()) {
        return;
    }
    const QPointF from = toPixel({RubberX, RubberY});
    const QPointF to = toPixel({RubberX + RubberBoxWidth, RubberY - RubberBoxHeight});
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    // Whole pixels, each of the outline once: a corner inverted twice would stay
    // as it was.
    const QRect box = QRect(from.toPoint(), to.toPoint()).normalized();
    const int w = std::max(box.width() - 1, 1);
    const int h = std::max(box.height() - 1, 1);
    painter.fillRect(box.left(), box.top(), w, 1, Qt::black);
    painter.fillRect(box.left() + w, box.top(), 1, h, Qt::black);
    painter.fillRect(box.left() + 1, box.top() + h, w, 1, Qt::black);
    painter.fillRect(box.left(), box.top() + 1, 1, h, Qt::black);
    update();
}

void CvGrph::gotFocus() {
    const int state = CommandState();
    if (state == kPaperBoxAway) {
        invertPaperBox();
        m_options.CommandState = kPaperBox;
    } else if (state == kPickSingleAway || state == kPickContourAway) {
        m_options.CommandState = state - 1;
        if (!m_crosshairShown) {
            invertCrosshair();
        }
    }
}

void CvGrph::lostFocus() {
    const int state = CommandState();
    if (state == kPaperBox) {
        invertPaperBox();
        m_options.CommandState = kPaperBoxAway;
    } else if (state == kPickSingle || state == kPickContour) {
        if (m_crosshairShown) {
            invertCrosshair();
        }
        m_options.CommandState = state + 1;
    }
}

void CvGrph::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    gotFocus();
}

void CvGrph::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    lostFocus();
}

void CvGrph::yieldToEvents() {
    if (m_sinceYield.elapsed() < kYieldMs) {
        return;
    }
    // Paint events only: a click or a key must not change the tables or the
    // view under the redraw; they wait until it is done.
    update();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceYield.start();
}

std::optional<graphic::WorldPoint> CvGrph::toWorld(QPointF at) const {
    if (!m_window) {
        return std::nullopt;
    }
    return graphic::WorldPoint{m_window->toWorldX(at.x()), m_window->toWorldY(at.y())};
}

QPointF CvGrph::toPixel(graphic::WorldPoint at) const {
    if (!m_window) {
        return {};
    }
    return {m_window->toPixelX(at.x), m_window->toPixelY(at.y)};
}

void CvGrph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_image.isNull()) {
        painter.fillRect(rect(), QPainterCanvas::toQColor(m_colours.background()));
        return;
    }
    painter.drawImage(0, 0, m_image);
    // Past the image (the surface grew and the redraw is still to come).
    const QColor background = QPainterCanvas::toQColor(m_colours.background());
    if (width() > m_image.width()) {
        painter.fillRect(m_image.width(), 0, width() - m_image.width(), height(), background);
    }
    if (height() > m_image.height()) {
        painter.fillRect(0, m_image.height(), width(), height() - m_image.height(), background);
    }
}

void CvGrph::resizeEvent(QResizeEvent*) {
    // The world window follows the surface's new shape.
    GrSub();
}

void CvGrph::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit popupRequested(event->globalPosition().toPoint());
        return;
    }
    // A click on the plot is at the plot, whichever window had the focus.
    if (CommandState() == kPickSingleAway || CommandState() == kPickContourAway) {
        setFocus();
        gotFocus();
    }
    const bool leftOrMiddle =
        event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton;
    if (leftOrMiddle && (CommandState() == kZoomMode || CommandState() == kMoveMode)) {
        clickInMode(event->position());
    } else if (event->button() == Qt::LeftButton && CommandState() == kPaperBox) {
        if (const auto point = toWorld(event->position())) {
            emit printRequested(static_cast<float>(point->x), static_cast<float>(point->y));
        }
    } else if (event->button() == Qt::LeftButton && crosshairState()) {
        if (const auto point = toWorld(event->position())) {
            emit lengthPickRequested(static_cast<float>(point->x), static_cast<float>(point->y),
                                     (event->modifiers() & Qt::ShiftModifier) != 0);
        }
    }
}

void CvGrph::clickInMode(QPointF at) {
    guarded(kCommandTitle, [&] {
        const auto point = toWorld(at);
        if (!point) {
            return;
        }
        graphic::centreOn(m_view, static_cast<float>(point->x), static_cast<float>(point->y));
        if (CommandState() == kZoomMode) {
            graphic::zoomIn(m_view);
        }
        // Centred even when the zoom was refused, so the view is drawn anew.
        GrSub();
    });
}

void CvGrph::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && CommandState() == kIdle) {
        if (const auto point = toWorld(event->position())) {
            emit plotClicked(static_cast<float>(point->x), static_cast<float>(point->y));
        }
        snapClick(event->position());
    }
}

void CvGrph::snapClick(QPointF at) {
    setFocus();
    guarded(kSnapTitle, [&] {
        const auto point = toWorld(at);
        if (!point || m_image.isNull()) {
            return;
        }
        const auto row = graphic::snapToPick(m_picks, point->x, point->y, m_view.ChordStep);
        if (!row) {
            return;
        }
        const graphic::PickRow& snapped = m_picks.row(*row);
        lastSegment = graphic::measureSegment(LastPickX, LastPickY, snapped.x, snapped.y);
        {
            QPainter painter(&m_image);
            QPainterCanvas canvas(painter, m_image.width(), m_image.height());
            canvas.setWorldWindow(*m_window);
            canvas.setPen(graphic::kRed, 5, graphic::PenStyle::Solid);
            canvas.pixel({snapped.x, snapped.y});
        }
        if (labelSnaps) {
            labelSnap(snapped.x, snapped.y);
        }
        LastPickX = snapped.x;
        LastPickY = snapped.y;
        update();
        emit pointSnapped(snapped.x, snapped.y);
    });
}

void CvGrph::labelSnap(float x, float y) {
    QPainter painter(&m_image);
    QPainterCanvas canvas(painter, m_image.width(), m_image.height());
    canvas.setWorldWindow(*m_window);
    canvas.setPen(labelColour, 1, graphic::PenStyle::Solid);
    canvas.text({x, y}, "X" + text::formatPicture(x, "####0.0####"));
    canvas.text({x, y - canvas.textLineHeight()}, "Y" + text::formatPicture(y, "####0.0####"));
}

void CvGrph::mouseMoveEvent(QMouseEvent* event) {
    const auto point = toWorld(event->position());
    if (!point) {
        return;
    }
    CursorX = static_cast<float>(point->x);
    CursorY = static_cast<float>(point->y);
    emit cursorMoved(QString::fromStdString(graphic::cursorLabel(CursorX, CursorY)));
    // The states of a figure that follows the mouse take the focus back.
    if (CommandState() % 10 == 1) {
        // The crosshair is wanted over the plot even while the perimeter window
        // is the active one: the surface asks for the focus and shows it anyway.
        if (CommandState() != kPaperBoxAway) {
            activateWindow();
        }
        setFocus();
        if (hasFocus() || CommandState() != kPaperBoxAway) {
            gotFocus();
        }
    }
    if (CommandState() == kPaperBox) {
        invertPaperBox();
        RubberX = CursorX;
        RubberY = CursorY;
        invertPaperBox();
    } else if (crosshairState()) {
        if (m_crosshairShown) {
            invertCrosshair();
        }
        RubberX = CursorX;
        RubberY = CursorY;
        invertCrosshair();
    }
    RubberX = CursorX;
    RubberY = CursorY;
}

void CvGrph::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    // A sideways scroll is no wheel turn.
    if (delta == 0) {
        event->ignore();
        return;
    }
    event->accept();
    guarded(kCommandTitle, [&] {
        if (graphic::wheelStep(m_view, delta > 0 ? 1 : -1)) {
            GrSub();
        }
    });
}

void CvGrph::keyPressEvent(QKeyEvent* event) {
    const int command = commandOfKey(*event);
    if (command < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    GrphCmd(command);
}

}  // namespace talmir
