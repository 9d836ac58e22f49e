#include "ui/app/CompareDialog.h"

#include "core/generate/Names.h"
#include "core/import/BotImport.h"
#include "core/util/FixedText.h"
#include "ui/app/ImportBotCommand.h"
#include "ui/charts/Charts.h"
#include "ui/common/TextFields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

namespace vexa::ui {

namespace {

struct ComparedValue {
    std::string_view characteristic;
    const char* name;
};

// The radar's personality values and the bars' skills, in the table's order.
constexpr std::array<ComparedValue, 11> kRadarValues = {{
    {"CHARACTERISTIC_AGGRESSION", "Aggression"},
    {"CHARACTERISTIC_SELFPRESERVATION", "Self Preservation"},
    {"CHARACTERISTIC_VENGEFULNESS", "Vengefulness"},
    {"CHARACTERISTIC_CAMPER", "Camper"},
    {"CHARACTERISTIC_ALERTNESS", "Alertness"},
    {"CHARACTERISTIC_EASY_FRAGGER", "Easy Fragger"},
    {"CHARACTERISTIC_FIRETHROTTLE", "Fire Throttle"},
    {"CHARACTERISTIC_CROUCHER", "Croucher"},
    {"CHARACTERISTIC_JUMPER", "Jumper"},
    {"CHARACTERISTIC_WALKER", "Walker"},
    {"CHARACTERISTIC_WEAPONJUMPING", "Weapon Jumping"},
}};
constexpr std::array<ComparedValue, 5> kBarValues = {{
    {"CHARACTERISTIC_ATTACK_SKILL", "Attack Skill"},
    {"CHARACTERISTIC_REACTIONTIME", "Reaction Time"},
    {"CHARACTERISTIC_AIM_ACCURACY", "Aim Accuracy"},
    {"CHARACTERISTIC_AIM_SKILL", "Aim Skill"},
    {"CHARACTERISTIC_VIEW_FACTOR", "View Factor"},
}};
constexpr int kTextColumns = 3; // bot, model, from
constexpr int kValueColumns = static_cast<int>(kRadarValues.size() + kBarValues.size());
constexpr int kBotRole = Qt::UserRole + 1;

const ComparedValue& ValueOfColumn(int column) {
    const auto index = static_cast<std::size_t>(column - kTextColumns);
    return index < kRadarValues.size() ? kRadarValues[index]
                                       : kBarValues[index - kRadarValues.size()];
}

const CharacteristicFormat& FormatOf(const ComparedValue& value) {
    return *CharacteristicByName(value.characteristic);
}

// The largest value of a characteristic's editor, in the game's units.
double MaximumOf(const CharacteristicFormat& format) {
    return format.unit == ValueUnit::Thousandths  ? format.max / 1000.0
           : format.unit == ValueUnit::Hundredths ? format.max / 100.0
                                                  : format.max;
}

// A number that sorts as a number.
class NumberItem final : public QTableWidgetItem {
public:
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

} // namespace

CompareDialog::CompareDialog(BotProfile& profile, const AppSettings& settings, Prompts& prompts,
                             QWidget* parent, ProfileExtras* extras)
    : QDialog(parent), profile_(profile), settings_(settings), prompts_(prompts), extras_(extras) {
    setWindowTitle(tr("Compare"));
    setObjectName(QStringLiteral("compareDialog"));

    levelBox_ = new QComboBox(this);
    levelBox_->setObjectName(QStringLiteral("levelBox"));
    for (int level = 1; level <= kGameLevelCount; ++level)
        levelBox_->addItem(tr("Level %1").arg(level));
    connect(levelBox_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setLevel(index + 1); });
    auto* levelLabel = new QLabel(tr("&Level:"), this);
    levelLabel->setBuddy(levelBox_);

    radar_ = new RadarChart(this);
    radar_->setObjectName(QStringLiteral("radarChart"));
    radar_->setTitle(tr("Personality"));
    QStringList radarAxes;
    QVector<double> radarMaxima;
    for (const ComparedValue& value : kRadarValues) {
        radarAxes << tr(value.name);
        radarMaxima << MaximumOf(FormatOf(value));
    }
    radar_->setCategories(radarAxes);
    radar_->setCategoryMaxima(radarMaxima);
    radar_->setLegendShown(true);
    radar_->setMinimumSize(420, 340);

    bars_ = new BarChart(this);
    bars_->setObjectName(QStringLiteral("barChart"));
    bars_->setTitle(tr("Skills"));
    QStringList barGroups;
    QVector<double> barMaxima;
    for (const ComparedValue& value : kBarValues) {
        barGroups << tr(value.name);
        barMaxima << MaximumOf(FormatOf(value));
    }
    bars_->setCategories(barGroups);
    bars_->setCategoryMaxima(barMaxima);
    bars_->setLegendShown(true);
    bars_->setMinimumSize(420, 340);

    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("filterBox"));
    filter_->setPlaceholderText(tr("Filter by name, model or where the bot comes from"));
    filter_->setClearButtonEnabled(true);
    connect(filter_, &QLineEdit::textChanged, this, &CompareDialog::applyFilter);

    table_ = new QTableWidget(0, kTextColumns + kValueColumns, this);
    table_->setObjectName(QStringLiteral("botTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    QStringList headings = {tr("Bot"), tr("Model"), tr("From")};
    for (int column = kTextColumns; column < kTextColumns + kValueColumns; ++column)
        headings << tr(ValueOfColumn(column).name);
    table_->setHorizontalHeaderLabels(headings);
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_ || item->column() != 0)
            return;
        const int bot = botOfRow(item->row());
        if (bot >= 0)
            setShown(bot, item->checkState() == Qt::Checked);
    });

    note_ = new QLabel(this);
    note_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* start = buttons->addButton(tr("&Start from this bot"), QDialogButtonBox::ActionRole);
    start->setObjectName(QStringLiteral("startFromBotButton"));
    auto* save = buttons->addButton(tr("Save &Picture..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("savePictureButton"));
    for (QPushButton* button : {start, save})
        button->setAutoDefault(false);
    connect(start, &QPushButton::clicked, this, &CompareDialog::startFromBot);
    connect(save, &QPushButton::clicked, this, &CompareDialog::savePicture);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(levelLabel);
    top->addWidget(levelBox_);
    top->addStretch(1);
    top->addWidget(new QLabel(tr("Tick the bots to show them in the charts."), this));
    auto* charts = new QHBoxLayout;
    charts->addWidget(radar_, 1);
    charts->addWidget(bars_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(charts, 3);
    layout->addWidget(filter_);
    layout->addWidget(table_, 2);
    layout->addWidget(note_);
    layout->addWidget(buttons);
    resize(1100, 820);

    Bot self;
    self.name = FromFieldText(FieldText(profile_.name));
    if (self.name.isEmpty())
        self.name = tr("This bot");
    self.model = FromFieldText(BotModel(profile_));
    self.origin = tr("being designed");
    self.levels = LevelsOfProfile(profile_, settings_.TabSkill, NativePathStyle(),
                                  extras_ ? *extras_ : NoExtras());
    self.shown = true;
    bots_.push_back(std::move(self));
    readGameFolder();
    fillTable();
    updateCharts();
}

void CompareDialog::readGameFolder() {
    if (!IsUsableBaseDir(settings_.BaseDir, NativePathStyle())) {
        note_->setText(tr("No game folder to compare with: set the base folder with \"Main info "
                          "file name\" in the main window."));
        return;
    }
    picked_ = OpenPickedSource(NormalBaseDir(settings_.BaseDir, NativePathStyle()));
    if (!picked_.source) {
        note_->setText(tr("The game folder cannot be read: %1").arg(FromFolderText(picked_.error)));
        return;
    }
    found_ = BotsOfPick(picked_);
    int unreadable = 0;
    for (std::size_t i = 0; i < found_.bots.size(); ++i) {
        const BotEntry& entry = found_.bots[i];
        std::string text;
        if (picked_.source->Read("botfiles/" + GameReference(entry.aifile), text) !=
            GameFileSource::ReadResult::Read) {
            ++unreadable;
            continue;
        }
        Bot bot;
        bot.name = FromFieldText(entry.name);
        bot.model = FromFieldText(entry.model);
        bot.origin = FromFolderText(entry.infoFile + " in " + entry.origin);
        bot.entry = static_cast<int>(i);
        bot.levels = LevelsOfCharacterFile(text);
        // A few of the game's bots are shown from the start.
        bot.shown = bots_.size() <= 2;
        bots_.push_back(std::move(bot));
    }
    QString note = tr("%1 bots of %2.")
                       .arg(bots_.size() - 1)
                       .arg(FromFolderText(NormalBaseDir(settings_.BaseDir, NativePathStyle())));
    if (unreadable > 0)
        note += QLatin1Char(' ') +
                tr("%1 bots whose character file cannot be read are left out.").arg(unreadable);
    note_->setText(note);
}

QString CompareDialog::botName(int bot) const {
    return bots_[static_cast<std::size_t>(bot)].name;
}

int CompareDialog::rowOf(int bot) const {
    for (int row = 0; row < table_->rowCount(); ++row)
        if (botOfRow(row) == bot)
            return row;
    return -1;
}

int CompareDialog::botOfRow(int row) const {
    const QTableWidgetItem* item = table_->item(row, 0);
    return item ? item->data(kBotRole).toInt() : -1;
}

void CompareDialog::fillTable() {
    filling_ = true;
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(bots_.size()));
    for (int b = 0; b < botCount(); ++b) {
        const Bot& bot = bots_[static_cast<std::size_t>(b)];
        auto* name = new QTableWidgetItem(bot.name);
        name->setData(kBotRole, b);
        name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
        name->setCheckState(bot.shown ? Qt::Checked : Qt::Unchecked);
        name->setData(Qt::DecorationRole, SeriesColour(b));
        table_->setItem(b, 0, name);
        table_->setItem(b, 1, new QTableWidgetItem(bot.model));
        table_->setItem(b, 2, new QTableWidgetItem(bot.origin));
        for (int column = kTextColumns; column < kTextColumns + kValueColumns; ++column)
            table_->setItem(b, column, new NumberItem);
    }
    filling_ = false;
    showLevelInTable();
    // Sortable by any column once the user asks; the bot being designed first until then.
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    // The value columns are as wide as their headings: measuring every
    // number would cost more than the rest of the filling.
    for (int column = 0; column < kTextColumns; ++column)
        table_->resizeColumnToContents(column);
    const QFontMetrics metrics = table_->horizontalHeader()->fontMetrics();
    for (int column = kTextColumns; column < kTextColumns + kValueColumns; ++column)
        table_->setColumnWidth(
            column,
            std::max(metrics.horizontalAdvance(table_->horizontalHeaderItem(column)->text()) + 24,
                     metrics.horizontalAdvance(QStringLiteral("0.0000")) + 16));
    applyFilter();
}

void CompareDialog::showLevelInTable() {
    filling_ = true;
    const bool sorting = table_->isSortingEnabled();
    table_->setSortingEnabled(false);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const GameLevels& levels = botLevels(botOfRow(row));
        for (int column = kTextColumns; column < kTextColumns + kValueColumns; ++column) {
            const CharacteristicFormat& format = FormatOf(ValueOfColumn(column));
            const LevelValue& value = levels.At(format, level_);
            QTableWidgetItem* item = table_->item(row, column);
            item->setData(Qt::UserRole, value.number);
            item->setText(FromFieldText(LevelValueText(format, value)));
        }
    }
    table_->setSortingEnabled(sorting);
    filling_ = false;
}

void CompareDialog::updateCharts() {
    QVector<ChartSeries> radar;
    QVector<ChartSeries> bars;
    for (int b = 0; b < botCount(); ++b) {
        const Bot& bot = bots_[static_cast<std::size_t>(b)];
        if (!bot.shown)
            continue;
        ChartSeries one{bot.name, SeriesColour(b), {}, {}};
        for (const ComparedValue& value : kRadarValues)
            one.values << bot.levels.At(FormatOf(value), level_).number;
        radar << one;
        one.values.clear();
        for (const ComparedValue& value : kBarValues)
            one.values << bot.levels.At(FormatOf(value), level_).number;
        bars << one;
    }
    radar_->setSeries(radar);
    bars_->setSeries(bars);
}

void CompareDialog::setShown(int bot, bool shown) {
    if (bot < 0 || bot >= botCount() || bots_[static_cast<std::size_t>(bot)].shown == shown)
        return;
    bots_[static_cast<std::size_t>(bot)].shown = shown;
    if (const int row = rowOf(bot); row >= 0 && !filling_) {
        filling_ = true;
        table_->item(row, 0)->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
        filling_ = false;
    }
    updateCharts();
}

void CompareDialog::setLevel(int level) {
    level = std::clamp(level, 1, kGameLevelCount);
    if (levelBox_->currentIndex() != level - 1)
        levelBox_->setCurrentIndex(level - 1); // comes back here
    if (level == level_)
        return;
    level_ = level;
    showLevelInTable();
    updateCharts();
}

void CompareDialog::applyFilter() {
    const std::string filter = ToFieldText(filter_->text());
    for (int row = 0; row < table_->rowCount(); ++row) {
        const int bot = botOfRow(row);
        const int entry = bot >= 0 ? bots_[static_cast<std::size_t>(bot)].entry : -1;
        const bool matches =
            entry < 0 ? table_->item(row, 0)->text().contains(filter_->text(), Qt::CaseInsensitive)
                      : MatchesFilter(found_.bots[static_cast<std::size_t>(entry)], filter);
        table_->setRowHidden(row, !matches && !filter.empty());
    }
}

void CompareDialog::startFromBot() {
    const int bot = botOfRow(table_->currentRow());
    const int entry = bot >= 0 ? bots_[static_cast<std::size_t>(bot)].entry : -1;
    if (entry < 0) {
        prompts_.information(this, tr("Choose one of the game's bots in the table first."));
        return;
    }
    if (mayReplace_ && !mayReplace_())
        return;
    ProfileExtras unused;
    if (!ImportChosenBot(profile_, extras_ ? *extras_ : unused, picked_, found_,
                         static_cast<std::size_t>(entry), {}, prompts_, this))
        return;
    imported_ = true;
    accept();
}

void CompareDialog::savePicture() {
    Prompts::FileRequest request;
    request.title = tr("Save Picture");
    request.filter = tr("PNG pictures (*.png)");
    request.defaultSuffix = QStringLiteral("png");
    request.defaultName = QStringLiteral("compare-level%1.png").arg(level_);
    const std::optional<QString> path = prompts_.saveFileName(this, request);
    if (!path)
        return;
    // Both charts side by side, each at the size it is shown.
    const QImage radar = radar_->toImage();
    const QImage bars = bars_->toImage();
    QImage picture(radar.width() + bars.width(), std::max(radar.height(), bars.height()),
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, radar);
    painter.drawImage(radar.width(), 0, bars);
    painter.end();
    if (!picture.save(*path, "PNG"))
        prompts_.information(this, tr("The picture could not be saved as %1.").arg(*path));
}

} // namespace vexa::ui
