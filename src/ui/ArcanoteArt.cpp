#include "ui/ArcanoteArt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace arc::ui {
namespace {

const QColor kNight(0x10, 0x13, 0x1c);
const QColor kCabinet(0x7a, 0x1f, 0x2b);
const QColor kCabinetLight(0xb0, 0x31, 0x41);
const QColor kScreen(0x1d, 0x3b, 0x5c);
const QColor kGlow(0x5f, 0xd4, 0xf4);
const QColor kGold(0xf3, 0xb5, 0x31);

/// An arcade cabinet drawn in a 64x64 box scaled to `box`.
void DrawCabinet(QPainter& painter, const QRectF& box) {
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 64.0, box.height() / 64.0);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath body;
    body.moveTo(16, 4);
    body.lineTo(48, 4);
    body.lineTo(48, 22);
    body.lineTo(52, 34);
    body.lineTo(48, 38);
    body.lineTo(48, 62);
    body.lineTo(16, 62);
    body.lineTo(16, 38);
    body.lineTo(12, 34);
    body.lineTo(16, 22);
    body.closeSubpath();
    QLinearGradient side(16, 0, 48, 0);
    side.setColorAt(0, kCabinetLight);
    side.setColorAt(1, kCabinet);
    painter.setPen(QPen(kNight, 1.5));
    painter.setBrush(side);
    painter.drawPath(body);

    painter.setBrush(kGold);  // marquee
    painter.drawRect(QRectF(18, 6, 28, 6));
    painter.setBrush(kScreen);  // screen
    painter.drawRect(QRectF(20, 14, 24, 17));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGlow);  // a sprite on the screen
    painter.drawRect(QRectF(28, 19, 8, 2));
    painter.drawRect(QRectF(26, 21, 12, 4));
    painter.drawRect(QRectF(28, 25, 2, 2));
    painter.drawRect(QRectF(34, 25, 2, 2));
    painter.setPen(QPen(kNight, 1.5));
    painter.setBrush(QColor(0x3a, 0x3a, 0x44));  // control panel
    painter.drawRect(QRectF(14, 33, 36, 5));
    painter.setBrush(kGold);
    painter.drawEllipse(QPointF(24, 35.5), 2, 2);
    painter.setBrush(kGlow);
    painter.drawEllipse(QPointF(36, 35.5), 1.6, 1.6);
    painter.drawEllipse(QPointF(41, 35.5), 1.6, 1.6);
    painter.setBrush(kNight);  // coin door
    painter.drawRect(QRectF(27, 46, 10, 9));
    painter.restore();
}

}  // namespace

QPixmap ArcanotePicture(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(kNight);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = height * 0.85;
    DrawCabinet(painter, QRectF(height * 0.1, (height - side) / 2, side, side));

    const QRectF text(height * 1.05, 0, width - height * 1.1, height * 0.62);
    // The largest size up to a fifth of the height at which the name fits the box.
    QFont title("Sans Serif");
    title.setWeight(QFont::Black);
    for (int pixels = static_cast<int>(height * 0.2); pixels > 6; --pixels) {
        title.setPixelSize(pixels);
        if (QFontMetricsF(title).horizontalAdvance("Arcanote") <= text.width() - 8) break;
    }
    painter.setFont(title);
    painter.setPen(kGold);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignBottom, "Arcanote");
    QFont subtitle("Sans Serif", static_cast<int>(height * 0.08));
    painter.setFont(subtitle);
    painter.setPen(kGlow);
    painter.drawText(QRectF(height * 1.07, height * 0.64, width - height * 1.1, height * 0.2),
                     Qt::AlignLeft | Qt::AlignTop, "game sheets for MAME");
    return pixmap;
}

QIcon ArcanoteIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        DrawCabinet(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace arc::ui
