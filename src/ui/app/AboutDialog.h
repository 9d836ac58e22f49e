#pragma once

#include <QDialog>

namespace vexa::ui {

class Prompts;

// "About VEXA": the program's version and credits, and a contact button.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    AboutDialog(Prompts& prompts, QWidget* parent);

private slots:
    void showContact();

private:
    Prompts& prompts_;
};

} // namespace vexa::ui
