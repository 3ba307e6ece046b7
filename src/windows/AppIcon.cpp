#include "windows/AppIcon.h"

#include <QPainter>
#include <QPainterPath>

QImage AppIcon::Draw(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0); // drawn on a 64 x 64 grid

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1F, 0x4E, 0x79));
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // The log sheet, with its lines; the hour header is the wider orange one.
    painter.setBrush(QColor(0xF4, 0xF6, 0xF8));
    painter.drawRoundedRect(QRectF(24, 10, 30, 44), 3, 3);
    painter.setBrush(QColor(0xF2, 0x8C, 0x28));
    painter.drawRect(QRectF(28, 16, 22, 5));
    painter.setBrush(QColor(0x5B, 0x6B, 0x7A));
    for (int line = 0; line < 5; ++line)
        painter.drawRect(QRectF(28, 25 + line * 5.5, line % 2 ? 16 : 20, 2.5));

    // The arrow bringing an item in from the left.
    QPainterPath arrow;
    arrow.moveTo(8, 29);
    arrow.lineTo(18, 29);
    arrow.lineTo(18, 23);
    arrow.lineTo(29, 33);
    arrow.lineTo(18, 43);
    arrow.lineTo(18, 37);
    arrow.lineTo(8, 37);
    arrow.closeSubpath();
    painter.setBrush(QColor(0xF2, 0x8C, 0x28));
    painter.setPen(QPen(QColor(0x1F, 0x4E, 0x79), 1.5));
    painter.drawPath(arrow);
    return image;
}

QIcon AppIcon::Icon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(Draw(size)));
    return icon;
}
