// The About box.
#pragma once

#include <QDialog>

namespace zat {

class TAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit TAboutDialog(QWidget* parent = nullptr);
};

}  // namespace zat
