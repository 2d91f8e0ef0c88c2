#include "gui/common/dialog_buttons.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace zat {

QWidget* makeDialogButtons(QDialog& dialog, const GuiContext* gui, const DialogButtons& buttons) {
    // A plain column rather than a button box: the order stays OK, Cancel,
    // Help from the top whatever the style prefers.
    auto* column = new QWidget(&dialog);
    column->setObjectName(QStringLiteral("buttons"));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const QString& text, const char* name) {
        auto* button = new QPushButton(text, column);
        button->setObjectName(QString::fromLatin1(name));
        layout->addWidget(button);
        return button;
    };
    QPushButton* ok = add(buttons.okText, "ok");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    if (buttons.cancel) {
        QPushButton* cancel = add(QStringLiteral("&Cancel"), "cancel");
        QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    }
    if (buttons.helpContext != 0) {
        QPushButton* help = add(QStringLiteral("&Help"), "help");
        const int context = buttons.helpContext;
        HelpOpener open = gui != nullptr ? gui->showHelp : HelpOpener{};
        QObject::connect(help, &QPushButton::clicked, &dialog, [open, context] {
            if (open) open(context);
        });
    }
    layout->addStretch();
    return column;
}

}  // namespace zat
