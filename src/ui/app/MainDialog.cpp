#include "ui/app/MainDialog.h"

#include "core/archive/GameFolderSource.h"
#include "core/editors/SkillLevelCaption.h"
#include "core/generate/GenerateSource.h"
#include "core/generate/Names.h"
#include "core/generate/Writers.h"
#include "core/settings/LevelRules.h"
#include "core/settings/LocationRules.h"
#include "core/util/FixedText.h"
#include "core/util/Paths.h"
#include "ui/app/AboutDialog.h"
#include "ui/app/CompareDialog.h"
#include "ui/app/DifficultyDialog.h"
#include "ui/app/ExportPackage.h"
#include "ui/app/ImportBotCommand.h"
#include "ui/app/Resources.h"
#include "ui/app/SourcePreviewDialog.h"
#include "ui/common/DialogOpener.h"
#include "ui/common/Prompts.h"
#include "ui/common/TextFields.h"
#include "ui/editors/ChatConvosDialog.h"
#include "ui/editors/SliderEditors.h"
#include "ui/settings/FileLocationsDialog.h"
#include "ui/settings/GeneralSettingsDialog.h"
#include "ui/settings/KeptExtrasDialog.h"
#include "ui/settings/MainFileLocationDialog.h"
#include "ui/settings/ModelDirectoryDialog.h"
#include "ui/settings/ModelNameDialog.h"
#include "ui/settings/ProfileDirectoryDialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <array>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vexa::ui {

namespace {

constexpr const char* kDefaultBotFileName = "defbot.ini";
constexpr std::array<const char*, 3> kGenders = {"Male", "Female", "It"};
constexpr std::array<const char*, 3> kTabTexts = {"Skill 1", "Skill 4", "Skill 5"};

#ifdef Q_OS_WIN
// The system menu command of "&About VEXA..."; system menu ids must keep the
// low four bits clear.
constexpr UINT kAboutCommand = 0x0010;
#endif

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    // Enter never presses a button just because it has had the focus.
    button->setAutoDefault(false);
    return button;
}

QTabBar* MakeTabStrip(const char* name, QWidget* parent) {
    auto* strip = new QTabBar(parent);
    strip->setObjectName(QLatin1String(name));
    strip->setExpanding(false);
    strip->setDrawBase(false);
    return strip;
}

// A tab strip with the page area below it that holds three buttons; the
// strip changes the level only, never the buttons.
QWidget* TabGroup(QTabBar* strip, const std::array<QPushButton*, 3>& buttons, QWidget* parent) {
    auto* group = new QWidget(parent);
    auto* page = new QFrame(group);
    page->setFrameShape(QFrame::StyledPanel);
    auto* pageLayout = new QVBoxLayout(page);
    for (QPushButton* button : buttons) {
        button->setParent(page);
        button->setMinimumHeight(30);
        pageLayout->addWidget(button);
    }
    strip->setParent(group);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip, 0, Qt::AlignLeft);
    layout->addWidget(page);
    return group;
}

// A persistent sub-dialog: made the first time it is opened, then the same
// instance for every showing until the window is destroyed. Making them on
// demand keeps their widgets out of the start-up and of the memory of a
// window whose dialogs are never opened.
template <typename Dialog, typename... Args>
Dialog& Persistent(Dialog*& dialog, QWidget* window, Args&... args) {
    if (dialog == nullptr)
        dialog = new Dialog(args..., window);
    return *dialog;
}

} // namespace

MainDialog::MainDialog(BotProfile& profile, AppSettings& settings, Prompts& prompts,
                       QString commandLineFile, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      profile_(profile), settings_(settings), prompts_(prompts),
      commandLineFile_(std::move(commandLineFile)) {
    setWindowTitle(tr("Arvon Bot Designer"));
    buildControls();

    startUp();
}

MainDialog::~MainDialog() = default;

void MainDialog::buildControls() {
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("logoPicture"));
    logo->setPixmap(LogoPicture());

    auto* nameLabel = new QLabel(tr("Bot &Name:"), this);
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));
    LimitToField(nameEdit_, sizeof profile_.name);
    nameLabel->setBuddy(nameEdit_);
    connect(nameEdit_, &QLineEdit::textEdited, this, &MainDialog::nameEdited);

    auto* genderLabel = new QLabel(tr("Bot &Gender:"), this);
    genderCombo_ = new QComboBox(this);
    genderCombo_->setObjectName(QStringLiteral("genderCombo"));
    for (const char* gender : kGenders)
        genderCombo_->addItem(QLatin1String(gender));
    genderCombo_->setCurrentIndex(-1);
    genderLabel->setBuddy(genderCombo_);
    connect(genderCombo_, &QComboBox::activated, this, &MainDialog::genderChosen);

    auto* mainFileButton =
        MakeButton(tr("Main info file name\n(name_c.c)"), "mainFileButton", this);
    mainFileButton->setMinimumHeight(44);
    connect(mainFileButton, &QPushButton::clicked, this, &MainDialog::openMainFileLocation);

    auto* skillButton = MakeButton(tr("S&kill Variables"), "skillSettingsButton", this);
    auto* chatButton = MakeButton(tr("&Chat Variables"), "chatSettingsButton", this);
    auto* personalityButton =
        MakeButton(tr("&Personality Variables"), "personalitySettingsButton", this);
    skillTabs_ = MakeTabStrip("skillTabs", this);
    auto* itemButton = MakeButton(tr("&Item Weights"), "itemWeightsButton", this);
    auto* weaponButton = MakeButton(tr("&Weapon Weights"), "weaponWeightsButton", this);
    auto* convosButton = MakeButton(tr("&Chat Convos"), "chatConvosButton", this);
    weightsTabs_ = MakeTabStrip("weightsTabs", this);
    // The hidden left strip keeps its room, so the buttons never move.
    QSizePolicy keepRoom = weightsTabs_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    weightsTabs_->setSizePolicy(keepRoom);

    connect(skillButton, &QPushButton::clicked, this, &MainDialog::openSkillSettings);
    connect(chatButton, &QPushButton::clicked, this, &MainDialog::openChatSettings);
    connect(personalityButton, &QPushButton::clicked, this, &MainDialog::openPersonalitySettings);
    connect(itemButton, &QPushButton::clicked, this, &MainDialog::openItemWeights);
    connect(weaponButton, &QPushButton::clicked, this, &MainDialog::openWeaponWeights);
    connect(convosButton, &QPushButton::clicked, this, &MainDialog::openChatConvos);

    auto* credit = new QLabel(tr("Shape your bot, then let VEXA write its Arvon scripts."), this);
    credit->setObjectName(QStringLiteral("creditLabel"));
    credit->setAlignment(Qt::AlignCenter);
    credit->setEnabled(false);

    // Footer: where the bot's files go and which profile file is open.
    footer_ = new QLabel(this);
    footer_->setObjectName(QStringLiteral("footerLabel"));
    footer_->setTextFormat(Qt::PlainText);

    // Enter lands here and does nothing.
    auto* enterSink = new QPushButton(this);
    enterSink->setObjectName(QStringLiteral("defaultButton"));
    enterSink->setDefault(true);
    enterSink->setFocusPolicy(Qt::NoFocus);
    enterSink->hide();

    // Identity group at the top, the logo at its left.
    auto* identity = new QFrame(this);
    identity->setFrameShape(QFrame::StyledPanel);
    auto* fields = new QGridLayout(identity);
    nameLabel->setParent(identity);
    nameEdit_->setParent(identity);
    genderLabel->setParent(identity);
    genderCombo_->setParent(identity);
    mainFileButton->setParent(identity);
    nameEdit_->setMinimumWidth(170);
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(nameEdit_, 0, 1);
    fields->addWidget(genderLabel, 1, 0);
    fields->addWidget(genderCombo_, 1, 1);
    fields->addWidget(mainFileButton, 0, 2, 2, 1);
    fields->setColumnStretch(1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addWidget(identity, 1);

    auto* weightsGroup = TabGroup(weightsTabs_, {itemButton, weaponButton, convosButton}, this);
    auto* skillGroup = TabGroup(skillTabs_, {skillButton, chatButton, personalityButton}, this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(weightsGroup);
    groups->addSpacing(12);
    groups->addWidget(skillGroup);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(buildMenuBar());
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addLayout(groups);
    layout->addWidget(credit);
    layout->addWidget(footer_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab order of the form: identity, right group, left group.
    setTabOrder(nameEdit_, genderCombo_);
    setTabOrder(genderCombo_, mainFileButton);
    setTabOrder(mainFileButton, skillButton);
    setTabOrder(skillButton, chatButton);
    setTabOrder(chatButton, personalityButton);
    setTabOrder(personalityButton, skillTabs_);
    setTabOrder(skillTabs_, itemButton);
    setTabOrder(itemButton, weaponButton);
    setTabOrder(weaponButton, convosButton);
    setTabOrder(convosButton, weightsTabs_);
}

QMenuBar* MainDialog::buildMenuBar() {
    auto* bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);

    const auto add = [this](QMenu* menu, const QString& text, const char* name, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
    };

    QMenu* file = bar->addMenu(tr("&File"));
    add(file, tr("&Save Bot"), "saveBotAction", &MainDialog::saveBot);
    add(file, tr("&Load Bot"), "loadBotAction", &MainDialog::loadBot);
    add(file, tr("&Import Bot..."), "importBotAction", &MainDialog::importBot);
    file->addSeparator();
    add(file, tr("&Create Arvon source"), "createSourceAction", &MainDialog::createSource);
    add(file, tr("&Preview Arvon source"), "previewSourceAction", &MainDialog::previewSource);
    add(file, tr("&Export Bot Package..."), "exportPackageAction",
        [this] { ExportPackageCommand(this, profile_, settings_, prompts_, extras_); });
    file->addSeparator();
    add(file, tr("E&xit"), "exitAction", &MainDialog::quit);

    QMenu* options = bar->addMenu(tr("&Settings"));
    add(options, tr("Base &Model Dir"), "modelDirAction", &MainDialog::openModelDirectory);
    add(options, tr(".vxb &Dir"), "vxbDirAction", &MainDialog::openProfileDirectory);
    add(options, tr("&General Settings"), "generalSettingsAction",
        &MainDialog::openGeneralSettings);
    add(options, tr("&File Locations"), "fileLocationsAction", &MainDialog::openFileLocations);
    add(options, tr("Model &Name"), "modelNameAction", &MainDialog::openModelName);
    add(options, tr("&Kept Extras"), "keptExtrasAction", &MainDialog::openKeptExtras);
    add(options, tr("Make Default &Bot"), "defaultBotAction", &MainDialog::makeDefaultBot);

    QMenu* view = bar->addMenu(tr("&View"));
    add(view, tr("&Difficulty..."), "difficultyAction", &MainDialog::openDifficulty);
    add(view, tr("&Compare..."), "compareAction", &MainDialog::openCompare);

    QMenu* help = bar->addMenu(tr("&Help"));
    add(help, tr("&About"), "aboutAction", &MainDialog::showAbout);
    return bar;
}

void MainDialog::addSystemMenuEntry() {
#ifdef Q_OS_WIN
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (menu != nullptr) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kAboutCommand, L"&About VEXA...");
    }
#endif
    // Elsewhere the window manager owns the system menu; Help > About serves.
}

#ifdef Q_OS_WIN
bool MainDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutCommand) {
        showAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

void MainDialog::startUp() {
    addSystemMenuEntry();
    setWindowIcon(ProgramIcon());

    const std::string profilePath = commandLineFile_.isEmpty()
                                        ? WorkingDirectoryFile(kDefaultBotFileName)
                                        : ToFolderText(commandLineFile_);
    ExtrasStatus extrasStatus{};
    const int loaded = LoadStartupProfileFile(profile_, extras_, profilePath, extrasStatus);
    ShowProfileIdentity();
    // A missing default bot is normal; a profile the user named is not: say
    // so before the defaults take its place, lest a save overwrite it.
    if (loaded != 0 && !commandLineFile_.isEmpty())
        prompts_.information(this, QString::fromLatin1(LoadBotMessage(loaded)));
    if (const QString note = QString::fromLatin1(ExtrasMessage(extrasStatus)); !note.isEmpty())
        prompts_.information(this, note);
    if (loaded == 0 && !commandLineFile_.isEmpty())
        profileFile_ = commandLineFile_; // opened like Load Bot, so the footer names it
    checkpoint_.Mark(profile_, extras_);

    ResetSettings(settings_);
    ReadSettingsFile(settings_, WorkingDirectoryFile(kSettingsFileName));

    for (int index = 0; index < static_cast<int>(kTabTexts.size()); ++index) {
        skillTabs_->insertTab(index, QLatin1String(kTabTexts[index]));
        weightsTabs_->insertTab(index, QLatin1String(kTabTexts[index]));
    }
    skillTabs_->setCurrentIndex(0);
    weightsTabs_->setCurrentIndex(0);
    connect(skillTabs_, &QTabBar::currentChanged, this, &MainDialog::skillTabChanged);
    connect(weightsTabs_, &QTabBar::currentChanged, this, &MainDialog::weightsTabChanged);
    weightsTabs_->setVisible(WeightsTabShownAtStartup(settings_));

    // Long folders are shortened to the width of the window's controls. Asking
    // the layout for its size before the strips hold their tabs would leave
    // them without room.
    const QMargins margins = layout()->contentsMargins();
    footerWidth_ = layout()->sizeHint().width() - margins.left() - margins.right();
    updateControls();
    updateFooter();
}

void MainDialog::updateFooter() {
    const FooterLines lines = FooterText(settings_, ToFolderText(profileFile_));
    const QFontMetrics metrics = footer_->fontMetrics();
    QStringList shown;
    for (const std::string& line : {lines.baseFolder, lines.profileFile})
        shown << metrics.elidedText(FromFolderText(line), Qt::ElideMiddle, footerWidth_);
    footer_->setText(shown.join(QLatin1Char('\n')));
    footer_->setToolTip(FromFolderText(lines.baseFolder) + QLatin1Char('\n') +
                        FromFolderText(lines.profileFile));
}

void MainDialog::ShowProfileIdentity() {
    nameText_ = FromFieldText(FieldText(profile_.name));
    const std::string gender = FieldText(profile_.gender);
    for (int index = 0; index < static_cast<int>(kGenders.size()); ++index) {
        if (gender == kGenders[index])
            genderIndex_ = index;
    }
    updateControls();
}

void MainDialog::readControls() {
    nameText_ = nameEdit_->text();
    genderIndex_ = genderCombo_->currentIndex();
}

void MainDialog::updateControls() {
    if (nameEdit_->text() != nameText_)
        nameEdit_->setText(nameText_);
    genderCombo_->setCurrentIndex(genderIndex_);
}

void MainDialog::nameEdited() {
    readControls();
    SetFieldText(profile_.name, ToFieldText(nameText_));
}

void MainDialog::genderChosen() {
    readControls();
    if (genderIndex_ >= 0 && genderIndex_ < static_cast<int>(kGenders.size()))
        SetFieldText(profile_.gender, kGenders[genderIndex_]);
    updateControls();
}

void MainDialog::skillTabChanged(int index) {
    SelectSkillTab(settings_, index);
}

void MainDialog::weightsTabChanged(int index) {
    SelectWeightsTab(settings_, index);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses the button that has the focus and does nothing
        // anywhere else; it never closes the window.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::reject() {
    quit();
}

bool MainDialog::unsavedChangesHandled(const QString& next) {
    if (!checkpoint_.Changed(profile_, extras_))
        return true;
    const QString question =
        tr("The bot has changed since it was last saved. Save it before you %1?").arg(next);
    switch (prompts_.askToSave(this, question, tr("Unsaved changes"))) {
    case Prompts::SaveAnswer::Save:
        return saveBot();
    case Prompts::SaveAnswer::Discard:
        return true;
    case Prompts::SaveAnswer::Cancel:
        break;
    }
    return false;
}

void MainDialog::quit() {
    if (checkpoint_.Changed(profile_, extras_)) {
        if (!unsavedChangesHandled(tr("quit")))
            return;
    } else if (!prompts_.question(this, tr("Are you sure you wish to quit?"), tr("Done?"))) {
        return;
    }
    WriteSettingsFile(settings_, WorkingDirectoryFile(kSettingsFileName));
    readControls();
    hasQuit_ = true;
    done(QDialog::Accepted);
    emit quitConfirmed();
}

// File menu

Prompts::FileRequest MainDialog::profileFileRequest(const QString& title) const {
    Prompts::FileRequest request;
    request.title = title;
    request.filter = tr("VEXA Bot Files (*.vxb)");
    request.defaultSuffix = QStringLiteral("vxb");
    request.defaultName = FromFieldText(ProfileFileProposal(profile_));
    request.folder = FromFolderText(settings_.VEXADir);
    return request;
}

bool MainDialog::saveBot() {
    const std::optional<QString> path =
        prompts_.saveFileName(this, profileFileRequest(tr("Save Your VEXA Bot")));
    if (!path)
        return false;
    const int result = WriteProfileFile(profile_, extras_, ToFolderText(*path));
    if (result == 0) {
        profileFile_ = *path;
        checkpoint_.Mark(profile_, extras_);
        updateFooter();
    }
    prompts_.information(this, QString::fromLatin1(SaveBotMessage(result)));
    return result == 0;
}

void MainDialog::loadBot() {
    if (!unsavedChangesHandled(tr("load another bot")))
        return;
    const std::optional<QString> path =
        prompts_.openFileName(this, profileFileRequest(tr("Load Your VEXA Bot")));
    if (!path)
        return;
    ExtrasStatus extrasStatus{};
    const int result = ReadProfileFile(profile_, extras_, ToFolderText(*path), extrasStatus);
    if (result == 0) {
        ShowProfileIdentity();
        profileFile_ = *path;
        checkpoint_.Mark(profile_, extras_);
        updateFooter();
    }
    prompts_.information(this, QString::fromLatin1(LoadBotMessage(result)));
    if (const QString note = QString::fromLatin1(ExtrasMessage(extrasStatus)); !note.isEmpty())
        prompts_.information(this, note);
}

void MainDialog::importBot() {
    if (!unsavedChangesHandled(tr("import another bot")) ||
        !ImportBotInto(profile_, extras_, settings_, prompts_, this))
        return;
    showImportedBot();
}

void MainDialog::showImportedBot() {
    checkpoint_.Mark(profile_, extras_);
    ShowProfileIdentity();
    // The imported bot has no profile file until it is saved.
    profileFile_.clear();
    updateFooter();
}

void MainDialog::createSource() {
    // The checks see the base folder as the game does, archives included.
    const std::unique_ptr<GameFileSource> game = BaseFolderView(settings_.BaseDir);
    GenerateGuards guards;
    guards.game = game.get();
    guards.replaceOtherBot = [this](const OtherBotFile& file) {
        return prompts_.questionDefaultNo(this, FromFolderText(ReplaceOtherBotQuestion(file)),
                                          tr("Replace another bot?"));
    };
    DiskFiles disk;
    const int result =
        GenerateSource(profile_, settings_, NativePathStyle(), disk, guards, extras_);
    updateFooter(); // the base folder is now in its normal form
    if (result == kGenerateDeclined)
        return;
    if (result != 0) {
        prompts_.information(this, FromFolderText(GenerateFailureMessage(
                                       result, profile_, settings_, disk, guards.game, extras_)));
        return;
    }
    prompts_.information(this, FromFolderText(GenerateSuccessMessage(settings_)));
    prompts_.information(this, FromFolderText(GenerateModelMessage(profile_, extras_)));
    const std::vector<std::string> duplicates =
        DuplicateBotWarnings(profile_, settings_, NativePathStyle(), *game, extras_);
    if (!duplicates.empty()) {
        QStringList lines;
        for (const std::string& duplicate : duplicates)
            lines << FromFolderText(duplicate);
        prompts_.information(this, lines.join(QLatin1Char('\n')));
    }
}

void MainDialog::previewSource() {
    SourcePreviewDialog preview(profile_, settings_, this, extras_);
    preview.setEditChatLine([this](const ChatLineFinding& finding) { editChatLine(finding); });
    preview.exec();
}

void MainDialog::editChatLine(const ChatLineFinding& finding) {
    const int block = finding.block;
    // The Chat Convos editor works on the weights level: go to the line's.
    if (settings_.TabSkill && LevelOfBlock(block) != settings_.WeightsSkillLevel) {
        QTabBar* strip = settings_.BothTabs ? weightsTabs_ : skillTabs_;
        strip->setCurrentIndex(block);
        if (LevelOfBlock(block) != settings_.WeightsSkillLevel)
            return;
    }
    Persistent(chatConvosDialog_, this, profile_, extras_, settings_, prompts_)
        .openAtLine(finding.situation, finding.line);
    openChatConvos();
}

// Settings menu

void MainDialog::openModelDirectory() {
    if (Persistent(modelDirectoryDialog_, this, settings_, prompts_).exec() == QDialog::Accepted) {
        updateFooter();
        prompts_.information(this, modelDirectoryDialog_->folderText(), tr("Model Directory:"));
    }
}

void MainDialog::openProfileDirectory() {
    if (Persistent(profileDirectoryDialog_, this, settings_, prompts_).exec() == QDialog::Accepted)
        prompts_.information(this, profileDirectoryDialog_->folderText(), tr(".vxb Directory:"));
}

void MainDialog::openGeneralSettings() {
    const bool confirmed =
        Persistent(generalSettingsDialog_, this, settings_).exec() == QDialog::Accepted;
    if (confirmed)
        weightsTabs_->setVisible(
            ApplyWeightsTabAfterSettings(settings_, weightsTabs_->currentIndex()));
    if (settings_.OkCancel)
        prompts_.information(this, confirmed ? tr("General settings changed")
                                             : tr("General settings NOT changed"));
}

void MainDialog::openFileLocations() {
    Persistent(fileLocationsDialog_, this, profile_, settings_, prompts_)
        .setCaption(OpeningCaption(settings_, LevelSource::Skill, true));
    RunDialogAndReport(*fileLocationsDialog_, prompts_, settings_,
                       {tr("File Locations changed"), tr("File Locations NOT changed")}, this);
}

void MainDialog::openModelName() {
    const bool confirmed =
        Persistent(modelNameDialog_, this, profile_, extras_, prompts_).exec() == QDialog::Accepted;
    if (!settings_.OkCancel)
        return;
    if (confirmed) // the model the bot gets, also when the default rule gives it
        prompts_.information(this,
                             FromFieldText(WrittenModel(profile_, NativePathStyle(), extras_)),
                             tr("New Model name:"));
    else
        prompts_.information(this, tr("Model name unchanged"));
}

void MainDialog::openKeptExtras() {
    Persistent(keptExtrasDialog_, this, std::as_const(profile_), extras_).exec();
}

void MainDialog::makeDefaultBot() {
    const int result =
        WriteDefaultBotFile(profile_, extras_, WorkingDirectoryFile(kDefaultBotFileName));
    prompts_.information(this, QString::fromLatin1(DefaultBotMessage(result)));
}

// View menu

void MainDialog::openDifficulty() {
    DifficultyDialog difficulty(profile_, settings_, prompts_, this, extras_);
    difficulty.setEditValue([this](int level, const EditorTable& table, std::size_t row) {
        editLevelValue(level, table, row);
    });
    difficulty.exec();
}

void MainDialog::openCompare() {
    CompareDialog compare(profile_, settings_, prompts_, this, &extras_);
    compare.setMayReplaceProfile(
        [this] { return unsavedChangesHandled(tr("start from another bot")); });
    compare.exec();
    if (compare.imported())
        showImportedBot();
}

void MainDialog::editLevelValue(int level, const EditorTable& table, std::size_t row) {
    // These editors work on the right strip's level.
    skillTabs_->setCurrentIndex(BlockIndexForLevel(level));
    if (settings_.SkillLevel != level)
        return;
    SliderEditorDialog* editor = nullptr;
    if (&table == &kWeaponAimEditor)
        editor =
            Persistent(skillSettingsDialog_, this, profile_, settings_, prompts_).weaponAimDialog();
    else if (&table == &kSkillSettingsEditor)
        editor = &Persistent(skillSettingsDialog_, this, profile_, settings_, prompts_);
    else if (&table == &kPersonalitySettingsEditor)
        editor = &Persistent(personalitySettingsDialog_, this, profile_, settings_, prompts_);
    else if (&table == &kChatSettingsEditor)
        editor = &Persistent(chatSettingsDialog_, this, profile_, settings_, prompts_);
    if (!editor || row >= editor->rowCount())
        return;
    // Once the editor is open, its value's text box takes the focus.
    QTimer::singleShot(0, editor, [editor, row] {
        editor->textBox(row)->setFocus(Qt::OtherFocusReason);
        editor->textBox(row)->selectAll();
    });
    OpenEditor(*editor, prompts_, settings_, this);
}

// Help menu

void MainDialog::showAbout() {
    AboutDialog about(prompts_, this);
    about.exec();
}

// Buttons

void MainDialog::openMainFileLocation() {
    RunDialogAndReport(Persistent(mainFileLocationDialog_, this, profile_, settings_, prompts_),
                       prompts_, settings_,
                       {tr("Main File Info changed"), tr("Main File Info NOT changed")}, this);
    updateFooter();
}

// The six editors are opened from here once they are part of the window.
void MainDialog::openSkillSettings() {
    OpenEditor(Persistent(skillSettingsDialog_, this, profile_, settings_, prompts_), prompts_,
               settings_, this);
}
void MainDialog::openChatSettings() {
    OpenEditor(Persistent(chatSettingsDialog_, this, profile_, settings_, prompts_), prompts_,
               settings_, this);
}
void MainDialog::openPersonalitySettings() {
    OpenEditor(Persistent(personalitySettingsDialog_, this, profile_, settings_, prompts_),
               prompts_, settings_, this);
}
void MainDialog::openItemWeights() {
    OpenEditor(Persistent(itemWeightsDialog_, this, profile_, settings_, prompts_), prompts_,
               settings_, this);
}
void MainDialog::openWeaponWeights() {
    OpenEditor(Persistent(weaponWeightsDialog_, this, profile_, settings_, prompts_), prompts_,
               settings_, this);
}
void MainDialog::openChatConvos() {
    OpenEditor(Persistent(chatConvosDialog_, this, profile_, extras_, settings_, prompts_),
               prompts_, settings_, this);
}

} // namespace vexa::ui
