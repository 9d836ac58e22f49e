// vexa_bench_bare_dialog: the smallest Qt 6 Widgets program that shows a
// dialog. The start-up and memory figures of vexa are read beside this one.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("A bare Qt dialog."), &dialog));
    dialog.show();
    return QApplication::exec();
}
