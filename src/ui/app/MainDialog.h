#pragma once

#include "core/editors/EditorTables.h"
#include "core/profile/BotProfile.h"
#include "core/profile/ProfileExtras.h"
#include "core/settings/AppSettings.h"
#include "ui/common/Prompts.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QTabBar;

namespace vexa {
struct ChatLineFinding;
}

namespace vexa::ui {

class ChatConvosDialog;
class ChatSettingsDialog;
class FileLocationsDialog;
class GeneralSettingsDialog;
class ItemWeightsDialog;
class MainFileLocationDialog;
class ModelDirectoryDialog;
class KeptExtrasDialog;
class ModelNameDialog;
class PersonalitySettingsDialog;
class ProfileDirectoryDialog;
class SkillSettingsDialog;
class WeaponWeightsDialog;

// The main window: the bot's name and gender, the two skill-level tab
// strips, the editor buttons and the menus. It owns one instance of every
// sub-dialog for its whole life, made the first time that dialog is opened.
// Closing it (Esc, the close box, File > Exit) asks first; Yes writes
// vexa.ini and ends the program.
class MainDialog final : public QDialog {
    Q_OBJECT

public:
    // Runs the start-up: the profile from `commandLineFile` (or defbot.ini in
    // the working directory, or the defaults), then the options from
    // vexa.ini in the working directory.
    MainDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
               QString commandLineFile, QWidget* parent = nullptr);
    ~MainDialog() override;

    // What the bot keeps beyond the record, owned with it.
    const ProfileExtras& extras() const { return extras_; }

    // Shows the profile's name and gender in the window. A gender other than
    // "Male", "Female" and "It" leaves the list as it is.
    void ShowProfileIdentity();

    // Esc and the close box: the quit question.
    void reject() override;

    // True once the user confirmed the quit question.
    bool hasQuit() const { return hasQuit_; }

signals:
    // The user confirmed the quit question: vexa.ini is written and the
    // window closed; the program ends.
    void quitConfirmed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private slots:
    // File menu. Save Bot is true when it saved the profile.
    bool saveBot();
    void loadBot();
    void importBot();
    void createSource();
    void previewSource();
    void quit();
    // Settings menu
    void openModelDirectory();
    void openProfileDirectory();
    void openGeneralSettings();
    void openFileLocations();
    void openModelName();
    void openKeptExtras();
    void makeDefaultBot();
    // View menu
    void openDifficulty();
    void openCompare();
    // Help menu and the system menu
    void showAbout();
    // Buttons
    void openMainFileLocation();
    void openSkillSettings();
    void openChatSettings();
    void openPersonalitySettings();
    void openItemWeights();
    void openWeaponWeights();
    void openChatConvos();
    // Identity fields and tab strips
    void nameEdited();
    void genderChosen();
    void skillTabChanged(int index);
    void weightsTabChanged(int index);

private:
    QMenuBar* buildMenuBar();
    void buildControls();
    void addSystemMenuEntry();
    void startUp();
    // The file dialog of Save Bot and Load Bot: .vxb files in VEXADir, the
    // bot's name proposed.
    Prompts::FileRequest profileFileRequest(const QString& title) const;
    // The window's members and its controls, both ways.
    void readControls();
    void updateControls();
    // Opens the editor of `level` on row `row` of its table, with the focus
    // in that row's text box.
    void editLevelValue(int level, const EditorTable& table, std::size_t row);
    // After the profile was replaced by an imported bot.
    void showImportedBot();
    // Before the profile is replaced or the program ends: when the profile
    // has changed since it was last saved, loaded, imported or started, asks
    // whether to save it before `next` ("quit", "load another bot").
    // True to go on (saved or discarded).
    bool unsavedChangesHandled(const QString& next);
    // Opens the Chat Responses editor on one chat line of any level.
    void editChatLine(const ChatLineFinding& finding);
    // The footer: the base folder and the profile file last saved or loaded.
    void updateFooter();

    BotProfile& profile_;
    ProfileExtras extras_; // what the bot holds beyond the record, owned with it
    AppSettings& settings_;
    Prompts& prompts_;
    QString commandLineFile_;

    QString nameText_;
    int genderIndex_ = -1;
    bool hasQuit_ = false;
    QString profileFile_; // saved or loaded last; empty until then
    ProfileCheckpoint checkpoint_;

    QLineEdit* nameEdit_ = nullptr;
    QComboBox* genderCombo_ = nullptr;
    QTabBar* skillTabs_ = nullptr;   // right strip: SkillLevel
    QTabBar* weightsTabs_ = nullptr; // left strip: WeightsSkillLevel
    QLabel* footer_ = nullptr;
    int footerWidth_ = 0;

    // The persistent sub-dialogs, owned through Qt's parent ownership; null
    // until first opened.
    ModelNameDialog* modelNameDialog_ = nullptr;
    KeptExtrasDialog* keptExtrasDialog_ = nullptr;
    MainFileLocationDialog* mainFileLocationDialog_ = nullptr;
    FileLocationsDialog* fileLocationsDialog_ = nullptr;
    WeaponWeightsDialog* weaponWeightsDialog_ = nullptr;
    SkillSettingsDialog* skillSettingsDialog_ = nullptr;
    ProfileDirectoryDialog* profileDirectoryDialog_ = nullptr;
    PersonalitySettingsDialog* personalitySettingsDialog_ = nullptr;
    ItemWeightsDialog* itemWeightsDialog_ = nullptr;
    GeneralSettingsDialog* generalSettingsDialog_ = nullptr;
    ChatSettingsDialog* chatSettingsDialog_ = nullptr;
    ChatConvosDialog* chatConvosDialog_ = nullptr;
    ModelDirectoryDialog* modelDirectoryDialog_ = nullptr;
};

} // namespace vexa::ui
