// The chart module: what each chart holds, choosing a point of a line
// chart, and the pictures it saves.
#include "ui/charts/Charts.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace vexa::ui;

class ChartsTest : public QObject {
    Q_OBJECT

private slots:
    void lineChartPointsFollowTheirValuesAndCanBeChosen() {
        LineChart chart;
        chart.resize(400, 300);
        chart.setTitle(QStringLiteral("Attack Skill"));
        chart.setCategories({"1", "2", "3", "4", "5"});
        chart.setRange(0, 1);
        chart.setSeries({{QStringLiteral("Ranger"),
                          SeriesColour(0),
                          {0.25, 0.5, 0.75, 1.0, 0.9},
                          {PointMark::Filled, PointMark::Hollow, PointMark::Hollow,
                           PointMark::Filled, PointMark::Filled}}});
        QCOMPARE(chart.series().size(), 1);
        QCOMPARE(chart.series()[0].values[2], 0.75);

        // Left to right, and higher for larger values (up is smaller y).
        for (int i = 0; i + 1 < 4; ++i) {
            QVERIFY(chart.pointPosition(0, i).x() < chart.pointPosition(0, i + 1).x());
            QVERIFY(chart.pointPosition(0, i).y() > chart.pointPosition(0, i + 1).y());
        }
        QVERIFY(chart.pointPosition(0, 4).y() > chart.pointPosition(0, 3).y());
        // Equal steps of value are equal steps on the screen.
        QCOMPARE(qRound(chart.pointPosition(0, 0).y() - chart.pointPosition(0, 1).y()),
                 qRound(chart.pointPosition(0, 1).y() - chart.pointPosition(0, 2).y()));

        for (int i = 0; i < 5; ++i) {
            const auto hit = chart.pointAt(chart.pointPosition(0, i) + QPointF(3, -2));
            QVERIFY(hit);
            QCOMPARE(hit->second, i);
        }
        QVERIFY(!chart.pointAt(QPointF(1, 1)));

        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QSignalSpy chosen(&chart, &LineChart::pointChosen);
        QTest::mouseClick(&chart, Qt::LeftButton, {}, chart.pointPosition(0, 3).toPoint());
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].toInt(), 0);
        QCOMPARE(chosen[0][1].toInt(), 3);
        QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(chosen.count(), 1);
    }

    void picturesHaveTheAskedSizeAndShowTheSeries() {
        QTemporaryDir folder;
        RadarChart radar;
        radar.setCategories({"A", "B", "C", "D"});
        radar.setCategoryMaxima({1, 1, 1, 5});
        radar.setSeries({{QStringLiteral("One"), SeriesColour(0), {1, 1, 1, 5}},
                         {QStringLiteral("Two"), SeriesColour(1), {0.5, 0.5, 0.5, 2.5}}});
        QCOMPARE(radar.categoryMaximum(3), 5.0);
        BarChart bars;
        bars.setCategories({"Attack Skill", "Reaction Time"});
        bars.setCategoryMaxima({1, 5});
        bars.setSeries({{QStringLiteral("One"), SeriesColour(2), {1, 5}}});
        LineChart line;
        line.setCategories({"1", "2"});
        line.setSeries({{QStringLiteral("One"), SeriesColour(3), {0, 1}}});

        for (Chart* chart : std::initializer_list<Chart*>{&radar, &bars, &line}) {
            const QString path = folder.filePath(QStringLiteral("chart.png"));
            QVERIFY(chart->savePng(path, QSize(480, 320)));
            const QImage saved(path);
            QCOMPARE(saved.size(), QSize(480, 320));
            // The first series' colour is somewhere in the picture.
            const QRgb colour = chart->series()[0].colour.rgb();
            bool found = false;
            for (int y = 0; y < saved.height() && !found; ++y)
                for (int x = 0; x < saved.width() && !found; ++x)
                    found = (saved.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
            QVERIFY2(found, qPrintable(chart->metaObject()->className()));
        }
        // Full bars reach the top of their scale: the same height whatever
        // the category's maximum.
        const QImage image = bars.toImage(QSize(400, 300));
        const auto top = [&image](int x) {
            for (int y = 0; y < image.height(); ++y)
                if ((image.pixel(x, y) & 0xffffff) == (SeriesColour(2).rgb() & 0xffffff))
                    return y;
            return -1;
        };
        QVERIFY(top(110) > 0);
        QCOMPARE(top(110), top(310));
        QVERIFY(!bars.savePng(folder.filePath(QStringLiteral("missing/chart.png"))));
    }
};

QTEST_MAIN(ChartsTest)
#include "tst_charts.moc"
