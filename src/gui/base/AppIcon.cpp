#include "gui/base/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace talmir {

QIcon appIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(30, 70, 140));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(2, 2, 60, 60, 10, 10);
    // A tool path: a rapid move in, a cut along two sides and an arc back.
    QPainterPath path(QPointF(12, 50));
    path.lineTo(12, 22);
    path.lineTo(38, 22);
    path.arcTo(QRectF(26, 22, 24, 28), 90, -180);
    p.setPen(QPen(QColor(255, 210, 60), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 50), 5, 5);
    return QIcon(pixmap);
}

QIcon toolIcon(const QString& label) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(235, 240, 250));
    p.drawRoundedRect(1, 4, 30, 24, 4, 4);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(label.size() > 2 ? 10 : 13);
    p.setFont(font);
    p.setPen(QColor(20, 50, 120));
    p.drawText(QRect(0, 4, 32, 24), Qt::AlignCenter, label);
    return QIcon(pixmap);
}

}  // namespace talmir
