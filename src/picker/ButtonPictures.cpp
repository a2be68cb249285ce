#include "picker/ButtonPictures.h"

#include "platform/ThemeIcons.h"

#include <QPainter>

namespace ButtonPictures {
namespace {

const QColor ink(0x3c, 0x3c, 0x3c);
const QColor blue(0x2a, 0x6f, 0xb8);

} // namespace

QIcon copy() {
    return themeIconOr(QStringLiteral("edit-copy"), [](QPainter& painter) {
        painter.setPen(QPen(ink, 1));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(1.5, 1.5, 8, 10)); // the page copied from
        painter.drawRect(QRectF(6.5, 4.5, 8, 10)); // the copy over it
    });
}

QIcon info() {
    return drawnIcon([](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(blue);
        painter.drawEllipse(QRectF(1, 1, 14, 14));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(7, 3.5, 2, 2));
        painter.drawRect(QRectF(7, 6.5, 2, 6));
    });
}

QIcon find() {
    return themeIconOr(QStringLiteral("edit-find"), [](QPainter& painter) {
        painter.setPen(QPen(ink, 1.5));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(2, 2, 8, 8));
        painter.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    });
}

QIcon synonyms() {
    return themeIconOr(QStringLiteral("edit-find-replace"), [](QPainter& painter) {
        // Two names that lead to each other: arrows both ways.
        painter.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF({{2, 5}, {13, 5}, {10, 2}}));
        painter.drawPolyline(QPolygonF({{14, 11}, {3, 11}, {6, 14}}));
    });
}

} // namespace ButtonPictures
