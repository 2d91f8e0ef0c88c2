#include "support/window_views.h"

#include "gui/common/please_wait.h"

#include <QApplication>
#include <QLabel>
#include <QTextBrowser>

#include <algorithm>

namespace zat::test {

QString statusField(const QWidget& window, const char* name) {
    const auto* field = window.findChild<QLabel*>(QString::fromLatin1(name));
    return field != nullptr ? field->text() : QString();
}

QUrl shownHelpPage(const QWidget& window) {
    const auto* browser = window.findChild<QTextBrowser*>(QStringLiteral("browser"));
    return browser != nullptr ? browser->source() : QUrl();
}

bool workingWindowOpen() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWidget* w) { return qobject_cast<const TPleaseWait*>(w) != nullptr; });
}

}  // namespace zat::test
