#pragma once

#include "core/editors/EditorTables.h"
#include "ui/editors/ReleaseSlider.h"
#include "ui/editors/SliderEditorDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <cstddef>
#include <string_view>

namespace vexa::test {

// The row of an editor with this label (the n-th such label).
inline std::size_t Row(const ui::SliderEditorDialog& dialog, std::string_view label,
                       int occurrence = 0) {
    for (std::size_t i = 0; i < dialog.rowCount(); ++i)
        if (dialog.table().bindings[i].label == label && occurrence-- == 0)
            return i;
    qFatal("no row %s", std::string(label).c_str());
}

inline QString TextOf(const ui::SliderEditorDialog& dialog, std::string_view label,
                      int occurrence = 0) {
    return dialog.textBox(Row(dialog, label, occurrence))->text();
}

// Types `text` into `box` one key at a time, any characters.
inline void Type(QLineEdit* box, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

// Where a slider's handle is drawn now.
inline QRect HandleRect(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.state |= QStyle::State_Horizontal;
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.upsideDown = false;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle,
                                           slider);
}

inline void ClickHandle(QSlider* slider) {
    const QPoint at = HandleRect(slider).center();
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, at);
}

// A click on the track near its right end: one page step up.
inline void ClickTrackRight(QSlider* slider) {
    const QPoint at(slider->width() - 3, HandleRect(slider).center().y());
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, at);
}

// Drags the handle `dx` pixels and lets it go.
inline void DragHandle(QSlider* slider, int dx) {
    const QPoint from = HandleRect(slider).center();
    const QPoint to = from + QPoint(dx, 0);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = from + QPoint(dx * step / 4, 0);
        QMouseEvent move(QEvent::MouseMove, at, slider->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(slider, &move);
    }
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, to);
}

} // namespace vexa::test
