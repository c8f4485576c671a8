#pragma once

#include <QMainWindow>
#include <QMenu>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "app/ports/button_bar.h"
#include "app/ports/control_window.h"
#include "app/ports/history_menu.h"
#include "app/ports/label.h"
#include "app/ports/list_box.h"
#include "app/ports/slider.h"
#include "nav/command.h"

class QAbstractButton;
class QGroupBox;
class QLabel;
class QListWidget;
class QSlider;

namespace vistel {

class QtButtonBar;
class QtHistoryMenu;
class QtLabel;
class QtListBox;
class QtSlider;

// The control window (frmUraVistel): the toolbar, the slider over the image list,
// the status line, the image list, the hidden settings panel and the menus. It
// turns the user's actions into the callbacks below; what they do is decided by
// whoever wires them.
class QtControlWindow final : public QMainWindow, public ControlWindow {
    Q_OBJECT

public:
    explicit QtControlWindow(QWidget* parent = nullptr);
    ~QtControlWindow() override;

    // The controls, as the program sees them.
    ListBox& list2();
    Slider& slider1();
    Label& label2();
    ButtonBar& command1();
    HistoryMenu& recentFiles();

    // ControlWindow
    bool setTopmost(bool on) override;
    void unload() override;
    void exitProgram() override;
    void clearRecentDocuments() override;

    // The settings panel (Frame1) takes the image list's place while it is shown.
    void setSettingsPanelVisible(bool visible);
    bool isSettingsPanelVisible() const;

    // The data folder that holds the desktop's recently used list; by default the
    // user's ($XDG_DATA_HOME or ~/.local/share).
    void setDataHome(std::filesystem::path dataHome) { dataHome_ = std::move(dataHome); }

    // The screen resolution the designed twips are laid out with.
    double dpi() const { return dpi_; }

    // The user's actions. Toolbar buttons and menu items that send a command code.
    std::function<void(Command)> onCommand;
    std::function<void()> onCapture;
    std::function<void()> onOpenFolder;
    std::function<void()> onOpenArchive;
    std::function<void(int16_t)> onRecentFile;  // history item 1..10
    std::function<void()> onClearAndExit;
    std::function<void()> onSettings;
    std::function<void()> onHelp;
    std::function<void()> onAbout;
    std::function<void()> onActivate;
    // A double-click on the window's own background, not on one of its controls.
    std::function<void()> onBackgroundDoubleClick;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls(QWidget& client);
    void buildMenus();
    void toolbarClicked(int index);

    double dpi_ = 96.0;
    std::optional<std::filesystem::path> dataHome_;

    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QListWidget* list2Widget_ = nullptr;
    QSlider* slider1Widget_ = nullptr;
    QLabel* label2Widget_ = nullptr;
    std::array<QAbstractButton*, 8> buttons_{};

    std::unique_ptr<QtListBox> list2_;
    std::unique_ptr<QtSlider> slider1_;
    std::unique_ptr<QtLabel> label2_;
    std::unique_ptr<QtButtonBar> command1_;
    std::unique_ptr<QtHistoryMenu> recentFiles_;
};

}  // namespace vistel
