#include "ui/charts/Charts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>

namespace vexa::ui {

namespace {

constexpr double kPointRadius = 4.0;
constexpr double kChoosingDistance = 9.0;
constexpr double kLegendBox = 10.0;
constexpr int kMostTintedShapes = 4;

const QColor kAxisColour(120, 120, 120);
const QColor kGridColour(225, 225, 225);
const QColor kWarningColour(200, 30, 30);

} // namespace

QColor SeriesColour(int index) {
    static constexpr std::array<QRgb, 12> kColours = {
        0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd, 0x8c564b,
        0xe377c2, 0x17becf, 0xbcbd22, 0x7f7f7f, 0x393b79, 0xad494a,
    };
    return QColor(kColours[static_cast<std::size_t>(std::max(index, 0)) % kColours.size()]);
}

Chart::Chart(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Chart::setTitle(const QString& title) {
    title_ = title;
    update();
}

void Chart::setCategories(const QStringList& categories) {
    categories_ = categories;
    update();
}

void Chart::setSeries(QVector<ChartSeries> series) {
    series_ = std::move(series);
    update();
}

void Chart::setRange(double min, double max) {
    min_ = min;
    max_ = max > min ? max : min + 1;
    update();
}

void Chart::setCategoryMaxima(QVector<double> maxima) {
    maxima_ = std::move(maxima);
    update();
}

double Chart::categoryMaximum(int category) const {
    if (category >= 0 && category < maxima_.size() && maxima_[category] > 0)
        return maxima_[category];
    return max_;
}

void Chart::setLegendShown(bool shown) {
    legend_ = shown;
    update();
}

bool Chart::legendShown() const {
    return legend_.value_or(series_.size() > 1);
}

double Chart::share(int category, double value) const {
    if (!maxima_.isEmpty())
        return value / categoryMaximum(category);
    return (value - min_) / (max_ - min_);
}

QString Chart::AxisText(double value) {
    return QString::number(value, 'g', 4);
}

QImage Chart::toImage(QSize size) const {
    if (!size.isValid() || size.isEmpty())
        size = this->size().isEmpty() ? sizeHint() : this->size();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font());
    draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

bool Chart::savePng(const QString& path, QSize size) const {
    return toImage(size).save(path, "PNG");
}

void Chart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    draw(painter, QRectF(rect()));
}

QRectF Chart::plotArea(const QRectF& rect) const {
    const QFontMetricsF metrics(font());
    QRectF area = rect.adjusted(6, 4, -6, -4);
    if (!title_.isEmpty())
        area.setTop(area.top() + metrics.height() + 4);
    if (legendShown()) {
        // One row per line of legend entries that fit the width.
        double x = 0;
        int rows = 1;
        for (const ChartSeries& s : series_) {
            const double width = kLegendBox + 4 + metrics.horizontalAdvance(s.name) + 12;
            if (x > 0 && x + width > area.width()) {
                ++rows;
                x = 0;
            }
            x += width;
        }
        area.setBottom(area.bottom() - rows * (metrics.height() + 2) - 4);
    }
    return area;
}

void Chart::draw(QPainter& painter, const QRectF& rect) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());
    const QRectF area = plotArea(rect);
    if (!title_.isEmpty()) {
        QFont bold = painter.font();
        bold.setBold(true);
        painter.save();
        painter.setFont(bold);
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(rect.left() + 6, rect.top() + 4, rect.width() - 12, metrics.height() + 2),
            Qt::AlignHCenter | Qt::AlignVCenter, title_);
        painter.restore();
    }
    painter.save();
    drawPlot(painter, area);
    painter.restore();
    if (!legendShown())
        return;
    double x = area.left();
    double y = area.bottom() + 6;
    for (const ChartSeries& s : series_) {
        const double width = kLegendBox + 4 + metrics.horizontalAdvance(s.name) + 12;
        if (x > area.left() && x + width > area.right()) {
            x = area.left();
            y += metrics.height() + 2;
        }
        painter.fillRect(QRectF(x, y + (metrics.height() - kLegendBox) / 2, kLegendBox, kLegendBox),
                         s.colour);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + kLegendBox + 4, y + metrics.ascent()), s.name);
        x += width;
    }
}

// ---- Line chart ---------------------------------------------------------------

QRectF LineChart::valueArea(const QRectF& plot) const {
    const QFontMetricsF metrics(font());
    double labelWidth = 0;
    for (const double share : {0.0, 0.5, 1.0})
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(AxisText(
                                              rangeMin() + (rangeMax() - rangeMin()) * share)));
    return plot.adjusted(labelWidth + 8, kPointRadius + 2, -(kPointRadius + 8),
                         -(metrics.height() + 4));
}

QPointF LineChart::position(const QRectF& values, int index, double value) const {
    const int count = std::max<int>(1, static_cast<int>(categories().size()));
    const double x =
        count == 1 ? values.center().x() : values.left() + values.width() * index / (count - 1);
    const double y = values.bottom() - values.height() * std::clamp(share(0, value), 0.0, 1.0);
    return {x, y};
}

QPointF LineChart::pointPosition(int series, int index) const {
    const QVector<ChartSeries>& all = this->series();
    if (series < 0 || series >= all.size() || index < 0 || index >= all[series].values.size())
        return {};
    return position(valueArea(plotArea(QRectF(rect()))), index, all[series].values[index]);
}

std::optional<std::pair<int, int>> LineChart::pointAt(const QPointF& where) const {
    std::optional<std::pair<int, int>> nearest;
    double best = kChoosingDistance;
    for (int s = 0; s < series().size(); ++s)
        for (int i = 0; i < series()[s].values.size(); ++i) {
            const QPointF offset = pointPosition(s, i) - where;
            const double distance = std::hypot(offset.x(), offset.y());
            if (distance <= best) {
                best = distance;
                nearest = std::make_pair(s, i);
            }
        }
    return nearest;
}

void LineChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        if (const auto point = pointAt(event->position()))
            emit pointChosen(point->first, point->second);
    Chart::mousePressEvent(event);
}

void LineChart::drawPlot(QPainter& painter, const QRectF& plot) const {
    const QFontMetricsF metrics(painter.font());
    const QRectF values = valueArea(plot);
    // Grid and axis labels: the range's ends and middle.
    for (const double share : {0.0, 0.5, 1.0}) {
        const double y = values.bottom() - values.height() * share;
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(values.left(), y), QPointF(values.right(), y));
        painter.setPen(kAxisColour);
        painter.drawText(QRectF(plot.left(), y - metrics.height() / 2,
                                values.left() - plot.left() - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter,
                         AxisText(rangeMin() + (rangeMax() - rangeMin()) * share));
    }
    painter.setPen(kAxisColour);
    painter.drawLine(values.bottomLeft(), values.bottomRight());
    for (int i = 0; i < categories().size(); ++i) {
        const QPointF at = position(values, i, rangeMin());
        painter.drawText(QRectF(at.x() - 40, values.bottom() + 2, 80, metrics.height() + 2),
                         Qt::AlignHCenter | Qt::AlignTop, categories()[i]);
    }
    for (const ChartSeries& s : series()) {
        QPolygonF line;
        for (int i = 0; i < s.values.size(); ++i)
            line << position(values, i, s.values[i]);
        painter.setPen(QPen(s.colour, 2));
        painter.drawPolyline(line);
        for (int i = 0; i < line.size(); ++i) {
            const PointMark mark = i < s.marks.size() ? s.marks[i] : PointMark::Filled;
            const QColor colour = mark == PointMark::Warning ? kWarningColour : s.colour;
            painter.setPen(QPen(colour, 2));
            painter.setBrush(mark == PointMark::Hollow ? QBrush(Qt::white) : QBrush(colour));
            painter.drawEllipse(line[i], kPointRadius, kPointRadius);
        }
        painter.setBrush(Qt::NoBrush);
    }
}

// ---- Radar chart --------------------------------------------------------------

void RadarChart::drawPlot(QPainter& painter, const QRectF& plot) const {
    const int count = static_cast<int>(categories().size());
    if (count < 3)
        return;
    const QFontMetricsF metrics(painter.font());
    double labelWidth = 0;
    for (const QString& label : categories())
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label));
    const QPointF centre = plot.center();
    const double radius = std::max(10.0, std::min(plot.width() / 2 - labelWidth - 6,
                                                  plot.height() / 2 - metrics.height() - 4));
    const auto at = [&](int axis, double share) {
        const double angle = -M_PI / 2 + 2 * M_PI * axis / count;
        return centre + QPointF(std::cos(angle), std::sin(angle)) * radius * share;
    };
    painter.setPen(kGridColour);
    for (const double ring : {0.25, 0.5, 0.75, 1.0}) {
        QPolygonF polygon;
        for (int axis = 0; axis < count; ++axis)
            polygon << at(axis, ring);
        painter.drawPolygon(polygon);
    }
    for (int axis = 0; axis < count; ++axis) {
        painter.setPen(kGridColour);
        painter.drawLine(centre, at(axis, 1));
        const QPointF end = at(axis, 1.0);
        const double width = metrics.horizontalAdvance(categories()[axis]);
        const double dx = end.x() - centre.x();
        const double x = std::abs(dx) < 1 ? end.x() - width / 2
                         : dx > 0         ? end.x() + 4
                                          : end.x() - width - 4;
        const double dy = end.y() - centre.y();
        const double y = dy < -radius * 0.9  ? end.y() - 4
                         : dy > radius * 0.9 ? end.y() + metrics.ascent() + 2
                                             : end.y() + metrics.ascent() / 2;
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x, y), categories()[axis]);
    }
    // Shapes are tinted while few enough to tell apart; beyond that (and to
    // keep the redraw quick) only their outlines are drawn.
    const bool tinted = series().size() <= kMostTintedShapes;
    for (const ChartSeries& s : series()) {
        QPolygonF shape;
        for (int axis = 0; axis < count; ++axis)
            shape << at(axis, std::clamp(share(axis, axis < s.values.size() ? s.values[axis] : 0),
                                         0.0, 1.0));
        if (tinted) {
            QColor fill = s.colour;
            fill.setAlpha(50);
            painter.setPen(Qt::NoPen);
            painter.setBrush(fill);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.drawPolygon(shape);
            painter.setRenderHint(QPainter::Antialiasing, true);
        }
        painter.setPen(QPen(s.colour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolygon(shape);
    }
}

// ---- Bars ---------------------------------------------------------------------

void BarChart::drawPlot(QPainter& painter, const QRectF& plot) const {
    const int count = static_cast<int>(categories().size());
    if (count == 0)
        return;
    const QFontMetricsF metrics(painter.font());
    const QRectF bars = plot.adjusted(4, metrics.height() + 2, -4, -(2 * metrics.height() + 6));
    painter.setPen(kAxisColour);
    painter.drawLine(bars.bottomLeft(), bars.bottomRight());
    const double groupWidth = bars.width() / count;
    const int seriesCount = std::max<int>(1, static_cast<int>(series().size()));
    const double barWidth = std::max(2.0, (groupWidth - 12) / seriesCount);
    for (int c = 0; c < count; ++c) {
        const double left = bars.left() + groupWidth * c + 6;
        for (int s = 0; s < series().size(); ++s) {
            const ChartSeries& one = series()[s];
            const double value = c < one.values.size() ? one.values[c] : 0;
            const double height = bars.height() * std::clamp(share(c, value), 0.0, 1.0);
            const QRectF bar(left + barWidth * s, bars.bottom() - height, barWidth - 1, height);
            painter.fillRect(bar, one.colour);
        }
        painter.setPen(Qt::black);
        const QRectF label(bars.left() + groupWidth * c, bars.bottom() + 2, groupWidth,
                           2 * metrics.height() + 2);
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                         categories()[c] + QStringLiteral(" (0-") + AxisText(categoryMaximum(c)) +
                             QLatin1Char(')'));
    }
}

} // namespace vexa::ui
