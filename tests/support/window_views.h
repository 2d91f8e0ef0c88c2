// What a window shows, read from its widgets as a person sees them, so the
// tests need no accessors of their own on the windows.
#pragma once

#include <QString>
#include <QUrl>

class QWidget;

namespace zat::test {

// A field of the main window's status bar by its name: "operation",
// "request", "reply", "linkNote" or "unitNote". Empty when there is none.
QString statusField(const QWidget& window, const char* name);

// The page shown by the help window under `window` (or by `window`, the help
// window itself). Empty while there is none.
QUrl shownHelpPage(const QWidget& window);

// Whether a "Working" window is up.
bool workingWindowOpen();

}  // namespace zat::test
