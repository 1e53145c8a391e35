#include "platform/chart/qcp_multi_axis_chart.h"

#include <qcustomplot.h>

#include "platform/chart/qcp_theme.h"
#include "platform/chart/toolkit_colors.h"

namespace tolvane {

namespace {

QList<QCPAxisRect*> stackedRects(const QCustomPlot& plot)
{
    return plot.axisRects();
}

} // namespace

QcpMultiAxisChart::QcpMultiAxisChart(QWidget* parent) : m_plot(new QCustomPlot(parent))
{
    m_plot->setBackground(QBrush(QcpTheme().background));
    m_plot->setCursor(Qt::CrossCursor);
    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_plot->plotLayout()->clear();
    m_plot->plotLayout()->setRowSpacing(0);
}

QcpMultiAxisChart::~QcpMultiAxisChart()
{
    delete m_plot.data(); // a parent that went first has already deleted it
}

QWidget* QcpMultiAxisChart::widget() const
{
    return m_plot.data();
}

void QcpMultiAxisChart::setAxes(const QString& xTitle, const std::vector<DataGraphAxis>& axes)
{
    const QcpTheme theme;
    m_plot->clearPlottables();
    m_plot->plotLayout()->clear();
    auto* margins = new QCPMarginGroup(m_plot);

    QCPRange xSpan;
    bool anyPoint = false;
    QList<QCPAxisRect*> rects;
    for (const DataGraphAxis& axis : axes) {
        if (axis.subsets.empty())
            continue;
        if (rects.size() == MaxAxes)
            break;
        auto* rect = new QCPAxisRect(m_plot);
        m_plot->plotLayout()->addElement(rects.size(), 0, rect);
        rect->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
        rect->setRangeDrag(Qt::Horizontal | Qt::Vertical);
        rect->setRangeZoom(Qt::Horizontal | Qt::Vertical);
        for (QCPAxis* a : rect->axes())
            applyTheme(a, theme);
        QCPAxis* left = rect->axis(QCPAxis::atLeft);
        QCPAxis* right = rect->axis(QCPAxis::atRight);
        QCPAxis* bottom = rect->axis(QCPAxis::atBottom);
        QCPAxis* top = rect->axis(QCPAxis::atTop);
        left->setLabel(axis.label);
        right->setLabel(axis.label);
        right->setVisible(true);
        left->grid()->setVisible(true);
        bottom->grid()->setVisible(true);
        // A thin line separates the stacked axes; only the outermost x axes carry numbers.
        top->setVisible(true);
        top->setTicks(false);
        top->setTickLabels(false);
        bottom->setTickLabels(false);
        for (const DataGraphSubset& curve : axis.subsets) {
            QCPGraph* graph = m_plot->addGraph(bottom, left);
            graph->setPen(QPen(colorFromName(curve.colour).value_or(Qt::white), 1));
            QVector<double> keys, values;
            keys.reserve(curve.points.size());
            values.reserve(curve.points.size());
            for (const QPointF& p : curve.points) {
                keys.append(p.x());
                values.append(p.y());
                xSpan = anyPoint ? QCPRange(qMin(xSpan.lower, p.x()), qMax(xSpan.upper, p.x()))
                                 : QCPRange(p.x(), p.x());
                anyPoint = true;
            }
            graph->setData(keys, values);
        }
        bool found = false;
        QCPRange ySpan;
        for (QCPGraph* graph : rect->graphs()) {
            bool hasRange = false;
            const QCPRange r = graph->getValueRange(hasRange);
            if (hasRange) {
                ySpan = found ? QCPRange(qMin(ySpan.lower, r.lower), qMax(ySpan.upper, r.upper)) : r;
                found = true;
            }
        }
        if (found) {
            left->setRange(ySpan);
            left->scaleRange(1.1); // a little room so no curve runs along the frame
            right->setRange(left->range());
        }
        rects.append(rect);
    }
    if (rects.isEmpty()) {
        m_plot->replot();
        return;
    }
    QCPAxis* firstTop = rects.front()->axis(QCPAxis::atTop);
    firstTop->setTicks(true);
    firstTop->setTickLabels(true);
    firstTop->setLabel(xTitle);
    QCPAxis* lastBottom = rects.back()->axis(QCPAxis::atBottom);
    lastBottom->setTickLabels(true);
    lastBottom->setLabel(xTitle);
    // Every x axis follows whichever one the operator drags or zooms.
    for (QCPAxisRect* rect : rects) {
        for (QCPAxis* x : {rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atTop)}) {
            x->setRange(anyPoint ? xSpan : QCPRange(0, 1));
            QObject::connect(x, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), m_plot,
                             [this](const QCPRange& range) {
                                 for (QCPAxisRect* other : stackedRects(*m_plot)) {
                                     other->axis(QCPAxis::atBottom)->setRange(range);
                                     other->axis(QCPAxis::atTop)->setRange(range);
                                 }
                             });
        }
        QObject::connect(rect->axis(QCPAxis::atLeft), qOverload<const QCPRange&>(&QCPAxis::rangeChanged),
                         rect->axis(QCPAxis::atRight), qOverload<const QCPRange&>(&QCPAxis::setRange));
    }
    m_plot->replot();
}

int QcpMultiAxisChart::axisCount() const
{
    return int(m_plot->axisRects().size());
}

QString QcpMultiAxisChart::axisTitle(int axis) const
{
    return m_plot->axisRect(axis)->axis(QCPAxis::atLeft)->label();
}

int QcpMultiAxisChart::curveCount(int axis) const
{
    return int(m_plot->axisRect(axis)->graphs().size());
}

QPointF QcpMultiAxisChart::xRange() const
{
    const QCPRange r = m_plot->axisRect(0)->axis(QCPAxis::atBottom)->range();
    return {r.lower, r.upper};
}

QPointF QcpMultiAxisChart::yRange(int axis) const
{
    const QCPRange r = m_plot->axisRect(axis)->axis(QCPAxis::atLeft)->range();
    return {r.lower, r.upper};
}

QImage QcpMultiAxisChart::capture(int width, int height) const
{
    return m_plot->toPixmap(width, height).toImage();
}

} // namespace tolvane
