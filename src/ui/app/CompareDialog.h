#pragma once

#include "core/archive/PickedSource.h"
#include "core/levels/GameLevels.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"
#include "ui/common/Prompts.h"

#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace vexa::ui {

class BarChart;
class RadarChart;

// "Compare": the bot being designed beside the bots of the game folder (the
// base folder, its loose files and archives, read as File > Import Bot
// reads them and never changed), at a chosen level: a radar chart of the
// personality and bars of the skills, a colour per bot; a table of every
// bot, sortable by any value and filtered by a text; "Start from this bot"
// imports the chosen one.
class CompareDialog final : public QDialog {
    Q_OBJECT

public:
    // `extras`: what the bot being designed keeps beyond its record, shown
    // with it and replaced together with it by "Start from this bot".
    CompareDialog(BotProfile& profile, const AppSettings& settings, Prompts& prompts,
                  QWidget* parent = nullptr, ProfileExtras* extras = nullptr);

    // The bots: 0 is the bot being designed, then the game folder's bots in
    // the order the import lists them.
    int botCount() const { return static_cast<int>(bots_.size()); }
    QString botName(int bot) const;
    const GameLevels& botLevels(int bot) const {
        return bots_[static_cast<std::size_t>(bot)].levels;
    }
    // Whether the charts show a bot, and showing or hiding it.
    bool isShown(int bot) const { return bots_[static_cast<std::size_t>(bot)].shown; }
    void setShown(int bot, bool shown);
    // The level the charts and the table show (1 to 5).
    int level() const { return level_; }
    void setLevel(int level);

    // True once "Start from this bot" replaced the profile.
    bool imported() const { return imported_; }
    // Asked before "Start from this bot" replaces the profile (whether the
    // changes made to it may go); false keeps everything as it is.
    void setMayReplaceProfile(std::function<bool()> mayReplace) {
        mayReplace_ = std::move(mayReplace);
    }

    RadarChart* radarChart() const { return radar_; }
    BarChart* barChart() const { return bars_; }
    QTableWidget* table() const { return table_; }
    QLineEdit* filterBox() const { return filter_; }
    QComboBox* levelBox() const { return levelBox_; }

    // The table's row of a bot, and the bot of a row (-1 for none).
    int rowOf(int bot) const;
    int botOfRow(int row) const;

private:
    struct Bot {
        QString name;
        QString model;
        QString origin;
        int entry = -1; // index into found_.bots; -1 for the bot being designed
        GameLevels levels;
        bool shown = false;
    };

    void readGameFolder();
    void fillTable();
    void showLevelInTable();
    void updateCharts();
    void applyFilter();
    void startFromBot();
    void savePicture();

    BotProfile& profile_;
    const AppSettings& settings_;
    Prompts& prompts_;
    PickedSource picked_;
    PickedBots found_;
    std::vector<Bot> bots_;
    int level_ = 1;
    bool imported_ = false;
    std::function<bool()> mayReplace_;
    ProfileExtras* extras_ = nullptr;
    bool filling_ = false;

    QComboBox* levelBox_ = nullptr;
    RadarChart* radar_ = nullptr;
    BarChart* bars_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QLabel* note_ = nullptr;
};

} // namespace vexa::ui
