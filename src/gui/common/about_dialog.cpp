#include "gui/common/about_dialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace zat {

namespace {

// ZATSetup.exe and its date name the program this one stands in for; this
// line says which build is running.
QString buildLine() {
    QString line = QStringLiteral("ZAT Setup for Linux");
    const QString version = QCoreApplication::applicationVersion();
    if (!version.isEmpty()) line += QLatin1Char(' ') + version;
    return line;
}

}  // namespace

TAboutDialog::TAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About ZATSetup"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setAccessibleName(QStringLiteral("ZATSetup icon"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/zatsetup.svg")).pixmap(48, 48));

    auto* okButton = new QPushButton(QStringLiteral("&OK"), this);
    okButton->setObjectName(QStringLiteral("ok"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* build = new QLabel(buildLine(), this);
    build->setObjectName(QStringLiteral("build"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(QStringLiteral("ZATSetup.exe"), this), 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("V2.04  12/2/2004"), this), 1, 1);
    layout->addWidget(build, 2, 1);
    layout->addWidget(okButton, 0, 2, Qt::AlignTop);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace zat
