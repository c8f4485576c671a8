#include "ui/qt_control_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QSvgRenderer>

#include "display/twips.h"
#include "ui/qt_button_bar.h"
#include "ui/qt_history_menu.h"
#include "ui/qt_label.h"
#include "ui/qt_list_box.h"
#include "ui/qt_slider.h"
#include "ui/recent_documents.h"
#include "ui/translations.h"

// The icons live in this library's resources; a static library has to register them.
static void InitControlWindowResources() {
    Q_INIT_RESOURCE(control_window);
}

namespace vistel {

namespace {

// A place in twips, relative to the control's container.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr TwipsRect kClientArea{0, 0, 6885, 1830};
constexpr TwipsRect kFrame2{0, 0, 3855, 1815};
constexpr TwipsRect kSlider1{120, 840, 3615, 495};
constexpr TwipsRect kLabel2{120, 1320, 3615, 375};
constexpr TwipsRect kList2{3960, 120, 2895, 1680};
constexpr TwipsRect kFrame1{3960, 0, 2895, 975};
constexpr int kButtonTop = 240;
constexpr int kButtonSize = 500;
constexpr int kIconPixels = 22;

struct ButtonDesign {
    int index;
    int left;
    const char* icon;
    const char* toolTip;
};

// Buttons 2 (pause) and 6 (resume) share one place; only one of them shows at a time.
constexpr std::array<ButtonDesign, 8> kButtons{{
    {0, 120, "first", "最初の画像に戻ります。"},
    {3, 600, "back", "コマ送りで後退します。"},
    {2, 1080, "pause", "S)一時停止します。"},
    {6, 1080, "resume", "R)再開します。"},
    {4, 1560, "forward", "コマ送りで前進します。"},
    {1, 2040, "last", "最後の画像にいきます。"},
    {5, 2520, "capture", "１画像を取り出します。"},
    {7, 3240, "actual_size", "画像の原寸表示をします。"},
}};

// The command each toolbar button sends; button 5 captures instead.
std::optional<Command> ButtonCommand(int index) {
    switch (index) {
        case 0:
            return Command::Stat;
        case 1:
            return Command::Last;
        case 2:
            return Command::Stop;
        case 3:
            return Command::Back;
        case 4:
            return Command::Fwrd;
        case 6:
            return Command::Rest;
        case 7:
            return Command::Enlg;
        default:
            return std::nullopt;
    }
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QIcon SvgIcon(const QString& name) {
    QSvgRenderer renderer(QStringLiteral(":/control/icons/%1.svg").arg(name));
    QIcon icon;
    for (int scale = 1; scale <= 2; ++scale) {
        QPixmap pixmap(kIconPixels * scale, kIconPixels * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

// The window's client area; reports double-clicks on itself, not on its controls.
class ClientArea final : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void()> onDoubleClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (childAt(event->position().toPoint()) == nullptr && onDoubleClick) onDoubleClick();
        event->accept();
    }
};

}  // namespace

QtControlWindow::QtControlWindow(QWidget* parent) : QMainWindow(parent) {
    InitControlWindowResources();
    setObjectName(QStringLiteral("frmUraVistel"));
    setWindowTitle(QString());
    setFont(QFont(Text(kJapaneseFontFamily), 9));
    dpi_ = logicalDpiX() > 0 ? logicalDpiX() : 96.0;

    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->onDoubleClick = [this] {
        if (onBackgroundDoubleClick) onBackgroundDoubleClick();
    };
    client->setFixedSize(TwipsToPixels(kClientArea.width, dpi_), TwipsToPixels(kClientArea.height, dpi_));
    setCentralWidget(client);
    buildControls(*client);
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    list2_ = std::make_unique<QtListBox>(*list2Widget_);
    slider1_ = std::make_unique<QtSlider>(*slider1Widget_);
    label2_ = std::make_unique<QtLabel>(*label2Widget_);
    command1_ = std::make_unique<QtButtonBar>(buttons_);
}

QtControlWindow::~QtControlWindow() = default;

void QtControlWindow::buildControls(QWidget& client) {
    const auto place = [this](QWidget& widget, const TwipsRect& rect) {
        widget.setGeometry(TwipsToPixels(rect.left, dpi_), TwipsToPixels(rect.top, dpi_),
                           TwipsToPixels(rect.width, dpi_), TwipsToPixels(rect.height, dpi_));
    };

    frame2_ = new QGroupBox(&client);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    frame2_->setToolTip(Text("キー操作の一覧です。"));
    place(*frame2_, kFrame2);

    for (const ButtonDesign& design : kButtons) {
        auto* button = new QPushButton(frame2_);
        button->setObjectName(QStringLiteral("Command1_%1").arg(design.index));
        button->setToolTip(Text(design.toolTip));
        button->setIcon(SvgIcon(Text(design.icon)));
        button->setIconSize(QSize(kIconPixels, kIconPixels));
        place(*button, {design.left, kButtonTop, kButtonSize, kButtonSize});
        connect(button, &QPushButton::clicked, this, [this, index = design.index] { toolbarClicked(index); });
        buttons_[static_cast<size_t>(design.index)] = button;
    }
    buttons_[6]->setVisible(false);

    slider1Widget_ = new QSlider(Qt::Horizontal, frame2_);
    slider1Widget_->setObjectName(QStringLiteral("Slider1"));
    place(*slider1Widget_, kSlider1);

    label2Widget_ = new QLabel(frame2_);
    label2Widget_->setObjectName(QStringLiteral("Label2"));
    place(*label2Widget_, kLabel2);

    list2Widget_ = new QListWidget(&client);
    list2Widget_->setObjectName(QStringLiteral("List2"));
    place(*list2Widget_, kList2);

    frame1_ = new QGroupBox(&client);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    place(*frame1_, kFrame1);
    const auto addLabel = [&](int index, const char* caption, const TwipsRect& rect) {
        auto* label = new QLabel(Text(caption), frame1_);
        label->setObjectName(QStringLiteral("Label1_%1").arg(index));
        place(*label, rect);
    };
    const auto addText = [&](int index, const QColor& background, const char* toolTip,
                             const TwipsRect& rect) {
        auto* text = new QLineEdit(frame1_);
        text->setObjectName(QStringLiteral("Text1_%1").arg(index));
        text->setToolTip(Text(toolTip));
        QPalette palette = text->palette();
        palette.setColor(QPalette::Base, background);
        text->setPalette(palette);
        place(*text, rect);
        return text;
    };
    addLabel(0, "表示時間（秒）", {120, 240, 1455, 255});
    addText(0, QColor(255, 255, 192), "表示時間を設定します。既定値は１秒です。", {1560, 240, 735, 270});
    addLabel(1, "秒", {2280, 240, 495, 255});
    addLabel(2, "背景色", {120, 600, 1455, 255});
    addText(1, QColor(Qt::white), "背景色を指定します。既定色はウィンドウ標準色です。", {1560, 600, 735, 270})
        ->setReadOnly(true);
    frame1_->setVisible(false);
}

void QtControlWindow::buildMenus() {
    const auto addItem = [this](QMenu* menu, const char* caption, std::function<void()> action) {
        QAction* item = menu->addAction(Text(caption));
        connect(item, &QAction::triggered, this, [action = std::move(action)] { action(); });
    };
    const auto call = [](const std::function<void()>& callback) {
        return [&callback] {
            if (callback) callback();
        };
    };
    const auto send = [this](Command command) {
        return [this, command] {
            if (onCommand) onCommand(command);
        };
    };

    QMenu* file = menuBar()->addMenu(Text("ファイル(&F)"));
    addItem(file, "画像フォルダーを開く", call(onOpenFolder));
    addItem(file, "圧縮ファイルを開く", call(onOpenArchive));
    file->addSeparator();
    addItem(file, "終了", send(Command::Boss));
    addItem(file, "[最近使ったﾌｧｲﾙ]をｸﾘｱして終了", call(onClearAndExit));
    file->addSeparator();
    QMenu* history = file->addMenu(Text("本日の表示履歴"));
    recentFiles_ = std::make_unique<QtHistoryMenu>(*history, [this](int16_t index) {
        if (onRecentFile) onRecentFile(index);
    });

    QMenu* action = menuBar()->addMenu(Text("動作(&A)"));
    addItem(action, "画像の取込み", call(onCapture));
    action->addSeparator();
    addItem(action, "前進", send(Command::Fwrd));
    addItem(action, "後退", send(Command::Back));
    addItem(action, "最初の画像", send(Command::Stat));
    addItem(action, "最後の画像", send(Command::Last));
    action->addSeparator();
    addItem(action, "停止", send(Command::Stop));
    addItem(action, "再開", send(Command::Rest));
    action->addSeparator();
    addItem(action, "原寸表示", send(Command::Enlg));

    QMenu* settings = menuBar()->addMenu(Text("設定(&S)"));
    addItem(settings, "表示の設定", call(onSettings));

    QMenu* help = menuBar()->addMenu(Text("ヘルプ(&H)"));
    addItem(help, "操作説明", call(onHelp));
    help->addSeparator();
    addItem(help, "バージョン情報", call(onAbout));
}

void QtControlWindow::toolbarClicked(int index) {
    setSettingsPanelVisible(false);
    if (const std::optional<Command> command = ButtonCommand(index)) {
        if (onCommand) onCommand(*command);
    } else if (onCapture) {
        onCapture();
    }
}

ListBox& QtControlWindow::list2() {
    return *list2_;
}
Slider& QtControlWindow::slider1() {
    return *slider1_;
}
Label& QtControlWindow::label2() {
    return *label2_;
}
ButtonBar& QtControlWindow::command1() {
    return *command1_;
}
HistoryMenu& QtControlWindow::recentFiles() {
    return *recentFiles_;
}

void QtControlWindow::setSettingsPanelVisible(bool visible) {
    frame1_->setVisible(visible);
    list2Widget_->setVisible(!visible);
}

bool QtControlWindow::isSettingsPanelVisible() const {
    return !frame1_->isHidden();
}

bool QtControlWindow::setTopmost(bool on) {
    // Changing the flag may recreate the native window; it keeps its place on screen.
    const bool placed = isVisible() || testAttribute(Qt::WA_Moved);
    const QPoint place = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (placed) move(place);
    show();
    return true;
}

void QtControlWindow::unload() {
    close();
}

void QtControlWindow::exitProgram() {
    QCoreApplication::exit(0);
}

void QtControlWindow::clearRecentDocuments() {
    ClearRecentDocuments(dataHome_ ? *dataHome_ : DefaultDataHome());
}

bool QtControlWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && onActivate) onActivate();
    return QMainWindow::event(event);
}

void QtControlWindow::closeEvent(QCloseEvent* event) {
    if (onCloseRequest) onCloseRequest();
    event->accept();
}

}  // namespace vistel
