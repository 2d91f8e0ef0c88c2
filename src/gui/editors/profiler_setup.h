// The "Profiler Configuration" editor: the six profilers, one to a tab, each
// with its enabled box, comment and eleven register fields in three groups.
// The rules are those of editing/profiler_setup.h. A tab change stores the
// page on display and is refused when a field is bad; Close stores it and
// closes.
#pragma once

#include "editing/profiler_setup.h"
#include "editing/record_snapshot.h"
#include "gui/common/window_context.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace zat {

class PageTabs;

class TProfilerSetup final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 223;

    explicit TProfilerSetup(const WindowContext& context);

public slots:
    // Stores the page on display; a refused field keeps the dialog open.
    void accept() override;
    // Escape and the close box (there is no Cancel button): the page on
    // display is not stored. Pages stored by tab changes stay, and leave the
    // database marked modified when they changed it.
    void reject() override;

private:
    QWidget* buildPage();
    QGroupBox* buildGroup(QWidget* parent, const char* title, std::initializer_list<ProfilerField> fields);
    void loadPage(int profiler);
    bool storePage();
    // Each tab's picture from its profiler's stored enabled bit.
    void refreshTabImages();
    QLineEdit* registerEdit(ProfilerField field) const { return registers_[static_cast<std::size_t>(field)]; }

    ConfigDatabase& db_;
    GuiContext gui_;
    ProfilerSnapshot opened_;
    PageTabs* tabs_ = nullptr;
    QCheckBox* enabled_ = nullptr;
    QLineEdit* comment_ = nullptr;
    std::array<QLineEdit*, kProfilerRegisterCount> registers_{};
};

}  // namespace zat
