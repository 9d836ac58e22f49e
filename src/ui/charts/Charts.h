// The program's charts, drawn with QPainter alone: a line chart, a radar
// chart and bars, each with a title and a legend, and each able to save
// itself as a PNG picture. Every chart of the program is one of these.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <optional>

namespace vexa::ui {

// How a point of a line chart is drawn.
enum class PointMark : char {
    Filled,  // a value that was set
    Hollow,  // a value that was computed
    Warning, // a value that is not what it seems (drawn in red)
};

struct ChartSeries {
    QString name;
    QColor colour;
    QVector<double> values;     // one per category
    QVector<PointMark> marks{}; // line charts: one per value; empty: all filled
};

// The colour of the series at `index`: distinct colours, repeating after
// a dozen.
QColor SeriesColour(int index);

class Chart : public QWidget {
    Q_OBJECT

public:
    explicit Chart(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    const QString& title() const { return title_; }
    // The x-axis labels of a line chart, the axes of a radar chart, the
    // groups of a bar chart.
    void setCategories(const QStringList& categories);
    const QStringList& categories() const { return categories_; }
    void setSeries(QVector<ChartSeries> series);
    const QVector<ChartSeries>& series() const { return series_; }
    // The value axis: min to max for every category. With per-category
    // maxima (radar and bars), category i runs from 0 to maxima[i].
    void setRange(double min, double max);
    void setCategoryMaxima(QVector<double> maxima);
    double categoryMaximum(int category) const;
    double rangeMin() const { return min_; }
    double rangeMax() const { return max_; }
    // The legend below the plot; shown by default when there are several series.
    void setLegendShown(bool shown);

    // The chart drawn on a white image of `size` (the widget's own size when
    // empty), and that image saved as a PNG file. False when it cannot be
    // written.
    QImage toImage(QSize size = {}) const;
    bool savePng(const QString& path, QSize size = {}) const;

    QSize sizeHint() const override { return {360, 260}; }
    QSize minimumSizeHint() const override { return {160, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Draws the plot into `area`, what remains of the chart's rectangle
    // below the title and above the legend.
    virtual void drawPlot(QPainter& painter, const QRectF& area) const = 0;
    // The plot's area within a chart drawn into `rect`.
    QRectF plotArea(const QRectF& rect) const;
    // A value as a share of its category's scale, 0 to 1 (beyond when outside).
    double share(int category, double value) const;
    // A number for an axis label: no more decimals than it needs.
    static QString AxisText(double value);

private:
    void draw(QPainter& painter, const QRectF& rect) const;
    bool legendShown() const;

    QString title_;
    QStringList categories_;
    QVector<ChartSeries> series_;
    QVector<double> maxima_;
    double min_ = 0;
    double max_ = 1;
    std::optional<bool> legend_;
};

// Values across the categories, a line per series. Choosing a point (a
// click near it) emits pointChosen.
class LineChart final : public Chart {
    Q_OBJECT

public:
    using Chart::Chart;

    // Where point `index` of `series` is drawn in the widget, and the point
    // under a position of the widget (series, index).
    QPointF pointPosition(int series, int index) const;
    std::optional<std::pair<int, int>> pointAt(const QPointF& position) const;

signals:
    void pointChosen(int series, int index);

protected:
    void drawPlot(QPainter& painter, const QRectF& area) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRectF valueArea(const QRectF& plot) const;
    QPointF position(const QRectF& values, int index, double value) const;
};

// One axis per category around a centre, a closed shape per series.
class RadarChart final : public Chart {
    Q_OBJECT

public:
    using Chart::Chart;

protected:
    void drawPlot(QPainter& painter, const QRectF& area) const override;
};

// A group of bars per category, a bar per series.
class BarChart final : public Chart {
    Q_OBJECT

public:
    using Chart::Chart;

protected:
    void drawPlot(QPainter& painter, const QRectF& area) const override;
};

} // namespace vexa::ui
