#include "ui/settings/ModelNameDialog.h"

#include "core/settings/LocationRules.h"
#include "core/util/FixedText.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/Prompts.h"
#include "ui/common/TextFields.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vexa::ui {

namespace {
// A model and skin as long as the game's model names go.
constexpr std::size_t kModelWithSkinWidth = 64;
} // namespace

ModelNameDialog::ModelNameDialog(BotProfile& profile, ProfileExtras& extras, Prompts& prompts,
                                 QWidget* parent)
    : QDialog(parent), profile_(profile), extras_(extras), prompts_(prompts),
      modelNameEdit_(new QLineEdit(this)) {
    setWindowTitle(tr("Model Name"));

    auto* label = new QLabel(tr("Model Name:"), this);
    label->setBuddy(modelNameEdit_);
    modelNameEdit_->setObjectName(QStringLiteral("modelNameEdit"));
    modelNameEdit_->setMinimumWidth(140);
    LimitToField(modelNameEdit_, kModelWithSkinWidth + 1);

    auto* buttons = MakeOkCancelRow(this, tr("OK"), tr("Cancel"));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(modelNameEdit_);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int ModelNameDialog::exec() {
    modelNameEdit_->setText(FromFieldText(
        KeptText(ModelNameProposal(profile_), extras_.model, sizeof profile_.model_name)));
    modelNameEdit_->selectAll();
    modelNameEdit_->setFocus();
    return QDialog::exec();
}

void ModelNameDialog::accept() {
    // The model names the .bot file, which stays inside the base folder and
    // cannot be a device.
    if (const std::string refusal =
            StoredNameRefusal("Model name", ToFieldText(modelNameEdit_->text()));
        !refusal.empty()) {
        prompts_.information(this, QString::fromStdString(refusal));
        return;
    }
    const std::string model = ToFieldText(modelNameEdit_->text());
    if (model.size() >= sizeof profile_.model_name) {
        extras_.model = model;
        SetFieldText(profile_.model_name, model);
    } else {
        extras_.model.clear();
        // The proposal accepted as it stands keeps the default model.
        SetFieldText(profile_.model_name, ModelNameToStore(profile_, model));
    }
    QDialog::accept();
}

} // namespace vexa::ui
