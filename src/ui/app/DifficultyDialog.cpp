#include "ui/app/DifficultyDialog.h"

#include "core/util/FixedText.h"
#include "ui/charts/Charts.h"
#include "ui/common/TextFields.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vexa::ui {

namespace {

constexpr int kChartColumns = 4;

// The file and chat name rows of the files table.
constexpr std::array<std::string_view, 4> kFileRows = {
    "CHARACTERISTIC_WEAPONWEIGHTS", "CHARACTERISTIC_ITEMWEIGHTS", "CHARACTERISTIC_CHAT_FILE",
    "CHARACTERISTIC_CHAT_NAME"};
constexpr std::array<const char*, 4> kFileRowNames = {"Weapon weights", "Item weights", "Chat file",
                                                      "Chat name"};

QString GroupName(const EditorTable& table) {
    return table.info.title == "Weapon Specific Aim Accuracy/Skill"
               ? QObject::tr("Weapon Aim")
               : QString::fromLatin1(table.info.title.data(),
                                     static_cast<qsizetype>(table.info.title.size()))
                     .remove(QStringLiteral(" Settings"));
}

PointMark MarkOf(const LevelValue& value) {
    switch (value.origin) {
    case LevelValue::Origin::Block:
        return PointMark::Filled;
    case LevelValue::Origin::Computed:
    case LevelValue::Origin::Skill1:
        return PointMark::Hollow;
    case LevelValue::Origin::Default:
    case LevelValue::Origin::None:
        break;
    }
    return PointMark::Warning;
}

} // namespace

const CharacteristicFormat* CharacteristicOf(const ValueBinding& binding) {
    for (const CharacteristicFormat& format : kCharacterFileLines)
        if (format.field == binding.field)
            return &format;
    return nullptr;
}

QString BindingName(const ValueBinding& binding) {
    QString name =
        QString::fromLatin1(binding.label.data(), static_cast<qsizetype>(binding.label.size()));
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

DifficultyDialog::DifficultyDialog(const BotProfile& profile, const AppSettings& settings,
                                   Prompts& prompts, QWidget* parent, const ProfileExtras& extras)
    : QDialog(parent), profile_(profile), extras_(extras), settings_(settings), prompts_(prompts) {
    setWindowTitle(tr("Difficulty"));
    setObjectName(QStringLiteral("difficultyDialog"));

    auto* intro = new QLabel(
        tr("The game plays the bot at five levels. Levels 1, 4 and 5 are Skill 1, Skill 4 "
           "and Skill 5 (filled points: choose one to edit it); the game computes levels 2 "
           "and 3 from Skill 1 and Skill 4 (hollow points). Red points are values the game "
           "reads as 0 or takes from its default character."),
        this);
    intro->setWordWrap(true);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("groupTabs"));
    const QStringList levelNames = {"1", "2", "3", "4", "5"};
    for (const EditorTable* table : kLevelGroups) {
        auto* page = new QWidget;
        auto* grid = new QGridLayout(page);
        int cell = 0;
        for (std::size_t row = 0; row < table->bindings.size(); ++row) {
            const ValueBinding& binding = table->bindings[row];
            const CharacteristicFormat* format = CharacteristicOf(binding);
            if (!format)
                continue;
            auto* chart = new LineChart(page);
            chart->setTitle(BindingName(binding));
            chart->setCategories(levelNames);
            chart->setRange(binding.slider.min / double(binding.slider.scale),
                            binding.slider.max / double(binding.slider.scale));
            chart->setMinimumSize(220, 150);
            chart->setLegendShown(false);
            connect(chart, &LineChart::pointChosen, this, [this, table, row](int, int index) {
                const int level = index + 1;
                if (BlockIndexForLevel(level) < 0 || !edit_)
                    return;
                edit_(level, *table, row);
                refresh();
            });
            charts_[format] = chart;
            grid->addWidget(chart, cell / kChartColumns, cell % kChartColumns);
            ++cell;
        }
        auto* scroll = new QScrollArea;
        scroll->setWidget(page);
        scroll->setWidgetResizable(true);
        tabs_->addTab(scroll, GroupName(*table));
    }

    files_ = new QTableWidget(static_cast<int>(kFileRows.size()), kGameLevelCount, this);
    files_->setObjectName(QStringLiteral("filesTable"));
    files_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int level = 1; level <= kGameLevelCount; ++level)
        files_->setHorizontalHeaderItem(level - 1, new QTableWidgetItem(tr("Level %1").arg(level)));
    for (std::size_t row = 0; row < kFileRows.size(); ++row)
        files_->setVerticalHeaderItem(static_cast<int>(row),
                                      new QTableWidgetItem(tr(kFileRowNames[row])));
    files_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    problems_ = new QListWidget(this);
    problems_->setObjectName(QStringLiteral("problemList"));
    problems_->setWordWrap(true);
    problems_->setAlternatingRowColors(true);

    auto* filesBox = new QWidget(this);
    auto* filesLayout = new QVBoxLayout(filesBox);
    filesLayout->setContentsMargins(0, 0, 0, 0);
    filesLayout->addWidget(new QLabel(tr("Weight and chat files used at each level:"), filesBox));
    filesLayout->addWidget(files_);
    auto* problemsBox = new QWidget(this);
    auto* problemsLayout = new QVBoxLayout(problemsBox);
    problemsLayout->setContentsMargins(0, 0, 0, 0);
    problemsLayout->addWidget(new QLabel(
        tr("What the game reads as 0 or takes unexpectedly from Skill 1:"), problemsBox));
    problemsLayout->addWidget(problems_);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(filesBox, 3);
    bottom->addWidget(problemsBox, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* save = buttons->addButton(tr("Save &Picture..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("savePictureButton"));
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &DifficultyDialog::savePicture);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(tabs_, 3);
    layout->addLayout(bottom, 1);
    layout->addWidget(buttons);
    resize(1000, 760);
    refresh();
}

LineChart* DifficultyDialog::chart(const CharacteristicFormat& format) const {
    const auto found = charts_.find(&format);
    return found == charts_.end() ? nullptr : found->second;
}

void DifficultyDialog::refresh() {
    levels_ = LevelsOfProfile(profile_, settings_.TabSkill, NativePathStyle(), extras_);
    for (const auto& [format, chart] : charts_) {
        ChartSeries series{FromFieldText(FieldText(profile_.name)), SeriesColour(0), {}, {}};
        for (int level = 1; level <= kGameLevelCount; ++level) {
            const LevelValue& value = levels_.At(*format, level);
            series.values.append(value.number);
            series.marks.append(MarkOf(value));
        }
        chart->setSeries({series});
        QStringList tips;
        for (int level = 1; level <= kGameLevelCount; ++level)
            tips << tr("Level %1: %2")
                        .arg(level)
                        .arg(FromFieldText(LevelValueText(*format, levels_.At(*format, level))));
        chart->setToolTip(tips.join(QLatin1Char('\n')));
    }
    for (std::size_t row = 0; row < kFileRows.size(); ++row) {
        const CharacteristicFormat& format = *CharacteristicByName(kFileRows[row]);
        for (int level = 1; level <= kGameLevelCount; ++level) {
            const LevelValue& value = levels_.At(format, level);
            auto* item = new QTableWidgetItem(FromFieldText(value.text));
            if (value.origin == LevelValue::Origin::Skill1) {
                item->setToolTip(tr("Taken from Skill 1"));
                if (value.text != levels_.At(format, 4).text)
                    item->setBackground(QColor(255, 236, 170));
            }
            files_->setItem(static_cast<int>(row), level - 1, item);
        }
    }
    problems_->clear();
    for (const LevelProblem& problem : levels_.problems)
        problems_->addItem(FromFieldText(LevelProblemLine(problem)));
    if (levels_.problems.empty())
        problems_->addItem(tr("Nothing: every level is what Skill 1 and Skill 4 lead to."));
}

void DifficultyDialog::savePicture() {
    Prompts::FileRequest request;
    request.title = tr("Save Picture");
    request.filter = tr("PNG pictures (*.png)");
    request.defaultSuffix = QStringLiteral("png");
    request.defaultName = tabs_->tabText(tabs_->currentIndex()).toLower() + QStringLiteral(".png");
    const std::optional<QString> path = prompts_.saveFileName(this, request);
    if (!path)
        return;
    auto* scroll = qobject_cast<QScrollArea*>(tabs_->currentWidget());
    if (!scroll->widget()->grab().toImage().save(*path, "PNG"))
        prompts_.information(this, tr("The picture could not be saved as %1.").arg(*path));
}

} // namespace vexa::ui
