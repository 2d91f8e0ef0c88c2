// The program's own help: HTML pages compiled into the program, shown in a
// browser window with Back, Forward and Contents.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QUrl>

class QTextBrowser;

namespace zat {

// The page of a help context number ("qrc:/help/communications_setup.html"
// for 214); 0 is the contents. An unknown number gives the contents.
QUrl helpPageUrl(int context);
QUrl helpOnHelpUrl();

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window at this page and raises it.
    void showPage(const QUrl& page);

private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace zat
