#include "widgets/Pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace {
// Every picture is drawn on a 24 by 24 grid, scaled to the requested size.
constexpr qreal kGrid = 24.0;

const QColor kInk(40, 40, 40);
const QColor kGreen(46, 139, 60);
const QColor kBlue(38, 96, 170);
const QColor kPink(232, 128, 140);
const QColor kSteel(120, 128, 136);

void drawTransfer(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(2, 2, 20, 20));
    QPainterPath arrow;
    arrow.moveTo(10, 6);
    arrow.lineTo(14, 6);
    arrow.lineTo(14, 12);
    arrow.lineTo(17.5, 12);
    arrow.lineTo(12, 18.5);
    arrow.lineTo(6.5, 12);
    arrow.lineTo(10, 12);
    arrow.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void drawClearMemo(QPainter& p)
{
    p.save();
    p.setPen(QPen(kInk, 1.2));
    p.translate(12, 12);
    p.rotate(-40);
    p.setBrush(kPink);
    p.drawRoundedRect(QRectF(-9, -4.5, 11, 9), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2, -4.5, 7, 9), 1.5, 1.5);
    p.restore();
}

void drawClearRecipient(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kSteel);
    p.drawRect(QRectF(8.5, 3, 7, 2.5));
    p.drawRect(QRectF(4, 5.5, 16, 3));
    QPainterPath bin;
    bin.moveTo(5.5, 8.5);
    bin.lineTo(18.5, 8.5);
    bin.lineTo(17, 21.5);
    bin.lineTo(7, 21.5);
    bin.closeSubpath();
    p.drawPath(bin);
    p.setPen(QPen(Qt::white, 1.2));
    for (const qreal x : {9.5, 12.0, 14.5}) {
        p.drawLine(QPointF(x, 11), QPointF(x, 19));
    }
}

void drawSave(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kBlue);
    QPainterPath disk;
    disk.moveTo(3, 3);
    disk.lineTo(18, 3);
    disk.lineTo(21, 6);
    disk.lineTo(21, 21);
    disk.lineTo(3, 21);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 12, 12, 9));
    p.setBrush(kSteel);
    p.drawRect(QRectF(7, 3, 9, 6));
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(8, 15), QPointF(16, 15));
    p.drawLine(QPointF(8, 18), QPointF(16, 18));
}

void drawHelp(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath question;
    question.moveTo(8.6, 9.2);
    question.cubicTo(8.6, 5.2, 15.4, 5.2, 15.4, 9.2);
    question.cubicTo(15.4, 12, 12, 11.8, 12, 14.6);
    p.drawPath(question);
    p.drawPoint(QPointF(12, 18.2));
}

class DrawnIcon : public QIconEngine
{
public:
    explicit DrawnIcon(Picture picture) : m_picture(picture) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / kGrid, rect.height() / kGrid);
        if (mode == QIcon::Disabled) {
            painter->setOpacity(0.4);
        }
        draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new DrawnIcon(m_picture); }

private:
    void draw(QPainter& p) const
    {
        switch (m_picture) {
        case Picture::Transfer:
            drawTransfer(p);
            break;
        case Picture::ClearMemo:
            drawClearMemo(p);
            break;
        case Picture::ClearRecipient:
            drawClearRecipient(p);
            break;
        case Picture::Save:
            drawSave(p);
            break;
        case Picture::Help:
            drawHelp(p);
            break;
        }
    }

    Picture m_picture;
};
} // namespace

QIcon PictureIcon(Picture picture)
{
    return QIcon(new DrawnIcon(picture));
}
