#include "gui/common/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace zat {

QDialogButtonBox* makeDialogButtons(QDialog& dialog, const GuiContext* gui, const DialogButtons& buttons) {
    auto* box = new QDialogButtonBox(Qt::Vertical, &dialog);
    box->setObjectName(QStringLiteral("buttons"));
    // Every style lays the column out the same way: OK, Cancel, Help from the top.
    box->setCenterButtons(false);
    QPushButton* ok = box->addButton(buttons.okText, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    if (buttons.cancel) {
        QPushButton* cancel = box->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("cancel"));
    }
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (buttons.helpContext != 0) {
        // An action role keeps Help under Cancel; the help role would move it to the far end.
        QPushButton* help = box->addButton(QStringLiteral("&Help"), QDialogButtonBox::ActionRole);
        help->setObjectName(QStringLiteral("help"));
        const int context = buttons.helpContext;
        HelpOpener open = gui != nullptr ? gui->showHelp : HelpOpener{};
        QObject::connect(help, &QPushButton::clicked, &dialog, [open, context] {
            if (open) open(context);
        });
    }
    return box;
}

}  // namespace zat
