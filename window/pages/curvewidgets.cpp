#include "curewidget.h"
#include "curvegeometry.h"
#include "curvewidget.h"
#include "mwidget.h"

#include "configmodel.h"

#include <QLine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QVector>

namespace {

QPoint qpt(const CurvePoint &p)
{
    return QPoint(p.x, p.y);
}

QRect outline(const CurvePoint &topLeft, const CurvePoint &bottomRight)
{
    return QRect(qpt(topLeft), qpt(bottomRight));
}

// One cubic half of the dual-rate curve: from `start` to the centre, the
// start doubling as the first control point.
QPainterPath half(const CurvePoint &start, const CurvePoint &control, const CurvePoint &centre)
{
    QPainterPath path;
    path.moveTo(qpt(start));
    path.cubicTo(qpt(start), qpt(control), qpt(centre));
    return path;
}

}  // namespace

CurveWidget::CurveWidget(QWidget *parent) : QWidget(parent)
{
}

// A repaint of the same inputs would draw the same pixels (a resize or an
// uncovered area Qt repaints by itself); repainting anyway cost about 2 %
// of a core on the idle curve page.
void CurveWidget::creatData()
{
    if (model && inputs() != drawn)
        update();
}

void CurveWidget::paintEvent(QPaintEvent *)
{
    if (!model)
        return;
    drawn = inputs();
    QPainter p(this);
    draw(p);
}

void CurveWidget::drawFrame(QPainter &p, int fillSize, const CurvePoint &topLeft, const CurvePoint &bottomRight)
{
    p.setPen(QPen(Qt::green, 4));
    p.fillRect(0, 0, fillSize, fillSize, Qt::white);
    p.drawRect(outline(topLeft, bottomRight));
}

std::vector<int> mWidget::inputs() const
{
    return {model->DR_RATE, model->DR_EXP};
}

void mWidget::draw(QPainter &p)
{
    const DualRateLayout d = dualRateLayout(width(), height(), model->DR_RATE, model->DR_EXP);
    drawFrame(p, DualRateLayout::kFillSize, DualRateLayout::kOutlineTopLeft, DualRateLayout::kOutlineBottomRight);

    p.setPen(QPen(Qt::green, 2));
    QVector<QLine> dashes;
    dashes.reserve(int(d.rowDashX.size() + d.columnDashY.size()));
    if (d.rowDrawn)
        for (int x : d.rowDashX)
            dashes.append(QLine(x, d.centre.y, x + kDashLength, d.centre.y));
    if (d.columnDrawn)
        for (int y : d.columnDashY)
            dashes.append(QLine(d.centre.x, y, d.centre.x, y + kDashLength));
    p.drawLines(dashes);

    p.setPen(QPen(Qt::red, 4));
    p.drawPath(half(d.lowerStart, d.lowerControl, d.centre));
    p.drawPath(half(d.upperStart, d.upperControl, d.centre));
}

std::array<int, 7> cureWidget::modelPoints() const
{
    std::array<int, 7> points{};
    for (int k = 0; k < 7; ++k)
        points[k] = model->*kThCurveFields[k];
    return points;
}

std::vector<int> cureWidget::inputs() const
{
    const std::array<int, 7> points = modelPoints();
    return {points.begin(), points.end()};
}

void cureWidget::draw(QPainter &p)
{
    const ThrottleLayout t = throttleLayout(width(), height(), modelPoints());
    drawFrame(p, ThrottleLayout::kFillSize, ThrottleLayout::kOutlineTopLeft, ThrottleLayout::kOutlineBottomRight);

    p.setPen(QPen(Qt::green, 1));
    QVector<QLine> dashes;
    if (t.rowsDrawn)
        for (int x : t.rowDashX)
            for (int y : t.rows)
                dashes.append(QLine(x, y, x + kDashLength, y));
    if (t.columnsDrawn)
        for (int y : t.columnDashY)
            for (int x : t.columns)
                dashes.append(QLine(x, y, x, y + kDashLength));
    p.drawLines(dashes);

    p.setPen(QPen(Qt::black, 4));
    // "100" starts at the widget's left edge, where its first glyph touches
    // the page behind: a hair inward, still clear of the outline.
    const QPoint inset(2, 0);
    for (const ScaleLabel &label : kThrottleScale)
        p.drawText(qpt(label.at) + inset, QString::fromLatin1(label.text));

    p.setPen(QPen(Qt::red, 4));
    for (int k = 0; k < 6; ++k)
        p.drawLine(qpt(t.curve[k]), qpt(t.curve[k + 1]));
}
