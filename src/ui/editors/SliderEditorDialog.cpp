#include "ui/editors/SliderEditorDialog.h"

#include "ui/common/TextFields.h"
#include "ui/editors/ReleaseSlider.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>

namespace vexa::ui {

namespace {

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Text boxes hold Latin-1 bytes; other characters read as '?', which no
// number contains.
std::string Bytes(const QString& text) {
    return text.toLatin1().toStdString();
}

// Each form column takes four grid columns: label, slider, text box and the
// gap that keeps it apart from the next column.
constexpr int kGridColumnsPerColumn = 4;
constexpr int kColumnGap = 16;

} // namespace

SliderEditorDialog::SliderEditorDialog(const EditorTable& table, BotProfile& profile,
                                       AppSettings& settings, Prompts& prompts, QWidget* parent)
    : SkillLevelEditorDialog(table.info, profile, settings, prompts, parent), model_(table) {
    // A track click must always be a page step, whatever the desktop's style.
    QStyle* sliderStyle = QStyleFactory::create(QStringLiteral("Fusion"));
    if (sliderStyle)
        sliderStyle->setParent(this);

    if (table.hasChatName) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(tr("Chat name:"), this));
        chatName_ = new QLineEdit(this);
        LimitToField(chatName_, sizeof(SkillProfile::chat_name));
        chatName_->setToolTip(Text(kChatNameTip));
        chatName_->setMinimumWidth(chatName_->fontMetrics().horizontalAdvance(QLatin1Char('m')) *
                                   12);
        row->addWidget(chatName_);
        row->addStretch(1);
        body()->addLayout(row);
        appendToTabOrder(chatName_);
    }

    for (std::string_view title : table.groups) {
        auto* box = new QGroupBox(Text(title), this);
        auto* grid = new QGridLayout(box);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(kGridColumnsPerColumn + 1, 1);
        grid->setColumnMinimumWidth(kGridColumnsPerColumn - 1, kColumnGap);
        body()->addWidget(box);
        groups_.push_back(box);
        grids_.push_back(grid);
        columnRows_.push_back({0, 0});
    }

    const int textWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12;
    for (std::size_t i = 0; i < model_.size(); ++i) {
        const ValueBinding& b = model_.binding(i);
        const auto g = static_cast<std::size_t>(b.group);
        QGroupBox* box = groups_[g];
        Row row{};
        row.label = new QLabel(Text(b.label), box);
        row.slider = new ReleaseSlider(sliderStyle, box);
        row.slider->setRange(b.slider.min, b.slider.max);
        row.slider->setTickInterval(TickInterval(b.slider));
        row.slider->setSingleStep(b.slider.lineSize);
        row.slider->setPageStep(b.slider.pageSize);
        row.slider->setMinimumWidth(140);
        row.text = new QLineEdit(box);
        row.text->setAlignment(Qt::AlignRight);
        row.text->setFixedWidth(textWidth);
        LimitToNumber(row.text, !b.digitsOnly);
        for (QWidget* widget : {static_cast<QWidget*>(row.label), static_cast<QWidget*>(row.slider),
                                static_cast<QWidget*>(row.text)})
            widget->setToolTip(Text(b.tip));

        const int gridRow = columnRows_[g][static_cast<std::size_t>(b.column)]++;
        const int firstColumn = b.column * kGridColumnsPerColumn;
        grids_[g]->addWidget(row.label, gridRow, firstColumn);
        grids_[g]->addWidget(row.slider, gridRow, firstColumn + 1);
        grids_[g]->addWidget(row.text, gridRow, firstColumn + 2);
        appendToTabOrder(row.slider);
        appendToTabOrder(row.text);
        rows_.push_back(row);

        connect(row.slider, &QSlider::valueChanged, this,
                [this, i](int value) { model_.MoveSlider(i, value); });
        connect(row.slider, &ReleaseSlider::released, this, [this, i] { sliderReleased(i); });
        // A move by the keys or the wheel is shown as a release shows it.
        connect(row.slider, &ReleaseSlider::stepped, this, [this, i] { sliderReleased(i); });
        connect(row.text, &QLineEdit::textEdited, this, [this, i] { textEdited(i); });
    }
    // The sliders' style goes after them among the dialog's children, so it
    // outlives them when the dialog is destroyed.
    if (sliderStyle)
        sliderStyle->setParent(this);

    // A group without a right column keeps its rows as wide as the others'.
    for (std::size_t g = 0; g < grids_.size(); ++g)
        if (columnRows_[g][1] == 0)
            grids_[g]->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum),
                               0, kGridColumnsPerColumn + 1);
}

void SliderEditorDialog::addBelowColumn(int group, int column, QWidget* widget) {
    const auto g = static_cast<std::size_t>(group);
    const int gridRow = columnRows_[g][static_cast<std::size_t>(column)]++;
    grids_[g]->addWidget(widget, gridRow, column * kGridColumnsPerColumn + 1, 1, 2, Qt::AlignRight);
    appendToTabOrder(widget);
}

void SliderEditorDialog::reload() {
    model_.Open(profile_, settings_);
    showPositions();
    // Every opening sets every text anew, which also clears the boxes' undo
    // history: Ctrl+Z never brings back a text of an earlier opening.
    for (std::size_t i = 0; i < rows_.size(); ++i)
        rows_[i].text->setText(Text(model_.text(i)));
    if (chatName_)
        chatName_->setText(FromFieldText(model_.chatName()));
}

void SliderEditorDialog::storeEdits() {
    readTexts();
    model_.Store(profile_, settings_);
}

std::vector<std::string_view> SliderEditorDialog::applyToAll(bool yes) {
    if (!yes)
        return model_.ApplyToAll(profile_, false);
    readTexts();
    return model_.ApplyToAll(profile_, true);
}

void SliderEditorDialog::readTexts() {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        model_.SetText(i, Bytes(rows_[i].text->text()));
    if (chatName_)
        model_.SetChatName(ToFieldText(chatName_->text()));
}

void SliderEditorDialog::showTexts() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const QString text = Text(model_.text(i));
        if (rows_[i].text->text() != text)
            rows_[i].text->setText(text);
    }
}

void SliderEditorDialog::showPositions() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const QSignalBlocker blocker(rows_[i].slider);
        rows_[i].slider->setValue(model_.position(i));
    }
}

void SliderEditorDialog::sliderReleased(std::size_t row) {
    readTexts();
    model_.MoveSlider(row, rows_[row].slider->value());
    model_.ReleaseSlider(row, settings_.FineTune);
    showPositions();
    showTexts();
}

void SliderEditorDialog::textEdited(std::size_t row) {
    readTexts();
    if (model_.TypeText(row, model_.text(row)))
        showPositions();
}

} // namespace vexa::ui
