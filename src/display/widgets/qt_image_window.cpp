#include "display/widgets/qt_image_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "display/twips.h"

namespace vistel {

namespace {

// The window as it is designed: client area, picture control and scroll bars.
constexpr int32_t kDesignLeft = 0;
constexpr int32_t kDesignTop = 0;
constexpr int32_t kDesignClientWidth = 3135;
constexpr int32_t kDesignClientHeight = 3960;
constexpr int32_t kDesignImageWidth = 2655;
constexpr int32_t kDesignImageHeight = 3375;
constexpr int32_t kScrollBarThickness = 255;

// Range and steps a scroll bar has before the program sets its own.
constexpr int16_t kDesignBarMax = 32767;

int32_t ToTwips(int pixels, double dpi) {
    return static_cast<int32_t>(std::lround(PixelsToTwips(pixels, dpi)));
}

// Twips of a length that cannot be negative, in whole pixels.
int ToLengthPixels(double twips, double dpi) {
    return std::max(0, TwipsToPixels(twips, dpi));
}

// The local files a drag carries, in the order the sender gave them.
std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) files.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    return files;
}

// Files are taken as a copy, never moved; anything else is refused.
void AnswerDrag(QDropEvent* event) {
    if (!LocalFiles(event->mimeData()).empty() && (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

// A colour as 0x00BBGGRR, or a system colour (high bit set, its index in the low byte).
QColor ColorFromValue(uint32_t value, const QPalette& palette) {
    if ((value & 0x80000000u) == 0) {
        return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                      static_cast<int>((value >> 16) & 0xFF));
    }
    switch (value & 0xFF) {
        case 0x05:  // window background
            return palette.color(QPalette::Base);
        case 0x08:  // window text
        case 0x12:  // button text
            return palette.color(QPalette::WindowText);
        case 0x0D:  // highlight
            return palette.color(QPalette::Highlight);
        case 0x10:  // button shadow
            return palette.color(QPalette::Dark);
        case 0x14:  // button highlight
            return palette.color(QPalette::Light);
        default:  // button face and the rest
            return palette.color(QPalette::Window);
    }
}

}  // namespace

// "Image1": draws its picture stretched to its own size, inside a one-pixel line when
// it has a border. The pixels come from the window's decoded picture, decoded at the
// size they are drawn at.
class ImageControl final : public QWidget {
public:
    ImageControl(QtImageWindow& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
        setObjectName(QStringLiteral("Image1"));
    }

    bool hasBorder() const { return border_; }
    void setBorder(bool border) {
        if (border_ == border) return;
        border_ = border;
        update();
    }

    const std::shared_ptr<const QtPicture>& picture() const { return picture_; }
    void setPicture(std::shared_ptr<const QtPicture> picture) {
        picture_ = std::move(picture);
        update();
    }

    // Where the picture is drawn: all of the control, less its border.
    QRect pictureArea() const {
        const QRect area = border_ ? rect().adjusted(1, 1, -1, -1) : rect();
        return area.isValid() ? area : QRect();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect area = pictureArea();
        if (picture_ && !area.isEmpty()) {
            // Decodes again only when the control changed size since the picture was set.
            const QImage& image = owner_.decoded_.get(*picture_, area.size());
            const QSize overrun = image.size() - area.size();
            if (overrun.width() >= 0 && overrun.height() >= 0 && overrun.width() <= 2 && overrun.height() <= 2) {
                // At (or within the border of) its drawn size: no scaling.
                painter.drawImage(area.topLeft(), image, QRect(QPoint(0, 0), area.size()));
            } else if (!image.isNull()) {
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                painter.drawImage(area, image);
            }
        }
        if (border_) {
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) pressed_ = true;
        event->accept();
    }

    // A click is a press and a release of the left button over the control; the
    // release that ends a double-click is not another click.
    void mouseReleaseEvent(QMouseEvent* event) override {
        event->accept();
        if (event->button() != Qt::LeftButton || !pressed_) return;
        pressed_ = false;
        if (rect().contains(event->position().toPoint()) && owner_.onImageClick) owner_.onImageClick();
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        event->accept();
        if (event->button() != Qt::LeftButton) return;
        pressed_ = false;
        if (owner_.onImageDoubleClick) owner_.onImageDoubleClick();
    }

private:
    QtImageWindow& owner_;
    std::shared_ptr<const QtPicture> picture_;
    bool border_ = false;
    bool pressed_ = false;
};

// "frmIMG": the top-level window. Drops on it and on its controls are taken here.
class ImageForm final : public QWidget {
public:
    explicit ImageForm(QtImageWindow& owner) : owner_(owner) {
        setObjectName(QStringLiteral("frmIMG"));
        setAcceptDrops(true);
    }

    void setBackground(std::optional<QColor> color) {
        background_ = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        // The scroll bars keep the system colours: the background is painted here
        // rather than given to the palette they inherit.
        QPainter painter(this);
        painter.fillRect(event->rect(), background_.value_or(palette().color(QPalette::Window)));
    }

    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (owner_.loaded_ && !owner_.showing_) owner_.raiseResize();
    }

    void closeEvent(QCloseEvent* event) override {
        owner_.closeDown();
        event->accept();
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        event->accept();
        if (event->button() == Qt::LeftButton && owner_.onDoubleClick) owner_.onDoubleClick();
    }

    void dragEnterEvent(QDragEnterEvent* event) override { AnswerDrag(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { AnswerDrag(event); }

    void dropEvent(QDropEvent* event) override {
        std::vector<std::string> files = LocalFiles(event->mimeData());
        if (files.empty() || !(event->possibleActions() & Qt::CopyAction)) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::CopyAction);
        event->accept();
        if (owner_.onDropFiles) owner_.onDropFiles(files);
    }

private:
    QtImageWindow& owner_;
    std::optional<QColor> background_;
};

// --- QtScrollBar ---------------------------------------------------------------------

QtScrollBar::QtScrollBar(QScrollBar& bar) : bar_(bar) {
    // The value changes when the thumb is let go, as every other way of moving it does
    // at once.
    bar_.setTracking(false);
    connection_ = QObject::connect(&bar_, &QScrollBar::valueChanged, [this] {
        if (onChange) onChange();
    });
}

QtScrollBar::~QtScrollBar() {
    QObject::disconnect(connection_);
}

int16_t QtScrollBar::value() const {
    return static_cast<int16_t>(bar_.value());
}
void QtScrollBar::setValue(int16_t value) {
    bar_.setValue(value);
}
int16_t QtScrollBar::min() const {
    return static_cast<int16_t>(bar_.minimum());
}
void QtScrollBar::setMin(int16_t min) {
    bar_.setMinimum(min);
}
int16_t QtScrollBar::max() const {
    return static_cast<int16_t>(bar_.maximum());
}
void QtScrollBar::setMax(int16_t max) {
    bar_.setMaximum(max);
}
int16_t QtScrollBar::smallChange() const {
    return static_cast<int16_t>(bar_.singleStep());
}
void QtScrollBar::setSmallChange(int16_t step) {
    bar_.setSingleStep(step);
}
int16_t QtScrollBar::largeChange() const {
    return static_cast<int16_t>(bar_.pageStep());
}
void QtScrollBar::setLargeChange(int16_t step) {
    bar_.setPageStep(step);
}
bool QtScrollBar::isVisible() const {
    return !bar_.isHidden();
}
void QtScrollBar::setVisible(bool visible) {
    bar_.setVisible(visible);
}

int32_t QtScrollBar::top() const {
    return ToTwips(bar_.y(), bar_.logicalDpiY());
}
int32_t QtScrollBar::left() const {
    return ToTwips(bar_.x(), bar_.logicalDpiX());
}
int32_t QtScrollBar::height() const {
    return ToTwips(bar_.height(), bar_.logicalDpiY());
}
int32_t QtScrollBar::width() const {
    return ToTwips(bar_.width(), bar_.logicalDpiX());
}
void QtScrollBar::setTop(int32_t twips) {
    bar_.move(bar_.x(), TwipsToPixels(twips, bar_.logicalDpiY()));
}
void QtScrollBar::setLeft(int32_t twips) {
    bar_.move(TwipsToPixels(twips, bar_.logicalDpiX()), bar_.y());
}
void QtScrollBar::setHeight(int32_t twips) {
    bar_.resize(bar_.width(), ToLengthPixels(twips, bar_.logicalDpiY()));
}
void QtScrollBar::setWidth(int32_t twips) {
    bar_.resize(ToLengthPixels(twips, bar_.logicalDpiX()), bar_.height());
}

// --- QtImageWindow ---------------------------------------------------------------------

QtImageWindow::QtImageWindow() : form_(std::make_unique<ImageForm>(*this)) {
    image_ = new ImageControl(*this, form_.get());
    auto* vBar = new QScrollBar(Qt::Vertical, form_.get());
    vBar->setObjectName(QStringLiteral("VScroll1"));
    auto* hBar = new QScrollBar(Qt::Horizontal, form_.get());
    hBar->setObjectName(QStringLiteral("HScroll1"));
    vScroll_ = std::make_unique<QtScrollBar>(*vBar);
    hScroll_ = std::make_unique<QtScrollBar>(*hBar);
    restoreDesign();
}

QtImageWindow::~QtImageWindow() {
    // The adapters are connected to bars the window owns: let go of them first.
    vScroll_.reset();
    hScroll_.reset();
    form_.reset();
}

double QtImageWindow::dpiX() const {
    return form_->logicalDpiX();
}
double QtImageWindow::dpiY() const {
    return form_->logicalDpiY();
}

void QtImageWindow::restoreDesign() {
    QScrollBar& vBar = vScroll_->widget();
    QScrollBar& hBar = hScroll_->widget();
    const QSignalBlocker blockV(&vBar);
    const QSignalBlocker blockH(&hBar);

    form_->setWindowTitle(QString());
    form_->setBackground(std::nullopt);
    form_->resize(ToLengthPixels(kDesignClientWidth, dpiX()), ToLengthPixels(kDesignClientHeight, dpiY()));
    form_->move(TwipsToPixels(kDesignLeft, dpiX()), TwipsToPixels(kDesignTop, dpiY()));

    image_->setPicture(nullptr);
    decoded_.clear();
    image_->setBorder(false);
    image_->setGeometry(0, 0, ToLengthPixels(kDesignImageWidth, dpiX()),
                        ToLengthPixels(kDesignImageHeight, dpiY()));
    image_->show();

    for (QScrollBar* bar : {&vBar, &hBar}) {
        bar->setRange(0, kDesignBarMax);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setValue(0);
        bar->show();
    }
    const int thickX = ToLengthPixels(kScrollBarThickness, dpiX());
    const int thickY = ToLengthPixels(kScrollBarThickness, dpiY());
    const int clientW = form_->width();
    const int clientH = form_->height();
    vBar.setGeometry(clientW - thickX, 0, thickX, clientH - thickY);
    hBar.setGeometry(0, clientH - thickY, clientW - thickX, thickY);
}

void QtImageWindow::show() {
    if (closing_) return;
    if (!loaded_) {
        loaded_ = true;
        if (onLoad) onLoad();
        if (!loaded_) return;  // unloaded while loading
    }
    // Showing a shown window changes nothing.
    if (form_->isVisible()) return;
    // Coming up sends the pending resize: onResize is raised once, after the window
    // is up.
    showing_ = true;
    form_->show();
    showing_ = false;
    raiseResize();
}

void QtImageWindow::raiseResize() {
    if (resizing_) {
        // The handler resized the window: it runs again once it has returned.
        resizeAgain_ = true;
        return;
    }
    resizing_ = true;
    // A handler that keeps changing the size is not followed forever.
    constexpr int kMaxRounds = 3;
    for (int round = 0; round < kMaxRounds; ++round) {
        resizeAgain_ = false;
        if (onResize) onResize();
        if (!resizeAgain_) break;
    }
    resizing_ = false;
    resizeAgain_ = false;
}

void QtImageWindow::unload() {
    closeDown();
}

void QtImageWindow::closeDown() {
    if (!loaded_ || closing_) return;
    closing_ = true;
    if (onUnload) onUnload();
    form_->hide();
    loaded_ = false;
    restoreDesign();
    closing_ = false;
}

int32_t QtImageWindow::top() const {
    return ToTwips(form_->frameGeometry().y(), dpiY());
}
int32_t QtImageWindow::left() const {
    return ToTwips(form_->frameGeometry().x(), dpiX());
}
int32_t QtImageWindow::height() const {
    return ToTwips(form_->frameGeometry().height(), dpiY());
}
int32_t QtImageWindow::width() const {
    return ToTwips(form_->frameGeometry().width(), dpiX());
}

// A window's position is that of its frame.
void QtImageWindow::setTop(int32_t twips) {
    form_->move(form_->x(), TwipsToPixels(twips, dpiY()));
}
void QtImageWindow::setLeft(int32_t twips) {
    form_->move(TwipsToPixels(twips, dpiX()), form_->y());
}

void QtImageWindow::setHeight(int32_t twips) {
    const int frame = form_->frameGeometry().height() - form_->height();
    form_->resize(form_->width(), std::max(0, TwipsToPixels(twips, dpiY()) - frame));
}

void QtImageWindow::setWidth(int32_t twips) {
    const int frame = form_->frameGeometry().width() - form_->width();
    form_->resize(std::max(0, TwipsToPixels(twips, dpiX()) - frame), form_->height());
}

int32_t QtImageWindow::clientHeight() const {
    return ToTwips(form_->height(), dpiY());
}
int32_t QtImageWindow::clientWidth() const {
    return ToTwips(form_->width(), dpiX());
}

std::string QtImageWindow::title() const {
    return form_->windowTitle().toStdString();
}
void QtImageWindow::setTitle(const std::string& title) {
    form_->setWindowTitle(QString::fromStdString(title));
}

void QtImageWindow::setBackgroundColor(uint32_t color) {
    form_->setBackground(ColorFromValue(color, form_->palette()));
}

bool QtImageWindow::isImageVisible() const {
    return !image_->isHidden();
}
void QtImageWindow::setImageVisible(bool visible) {
    image_->setVisible(visible);
}

void QtImageWindow::setImagePlace(double top, double left) {
    image_->move(TwipsToPixels(left, dpiX()), TwipsToPixels(top, dpiY()));
}

void QtImageWindow::setImageSize(double height, double width) {
    image_->resize(ToLengthPixels(width, dpiX()), ToLengthPixels(height, dpiY()));
}

void QtImageWindow::setImageBorder(int16_t style) {
    if (style == 0 || style == 1) image_->setBorder(style == 1);
}

bool QtImageWindow::setImagePicture(std::shared_ptr<const Picture> picture) {
    auto qtPicture = std::dynamic_pointer_cast<const QtPicture>(picture);
    if (!qtPicture || qtPicture->isEmpty()) {
        image_->setPicture(nullptr);
        decoded_.clear();
        // Nothing to draw is fine; a picture of some other loader cannot be drawn.
        return !picture || qtPicture || (picture->heightTwips() == 0 && picture->widthTwips() == 0);
    }
    image_->setPicture(qtPicture);
    const QSize target = image_->pictureArea().size();
    if (target.isEmpty()) {
        // Decoded when the control gets a size.
        decoded_.clear();
        return true;
    }
    return !decoded_.get(*qtPicture, target).isNull();
}

ScrollBar& QtImageWindow::vScroll() {
    return *vScroll_;
}
ScrollBar& QtImageWindow::hScroll() {
    return *hScroll_;
}

QWidget& QtImageWindow::widget() const {
    return *form_;
}
const DecodedPictureCache& QtImageWindow::decodedPicture() const {
    return decoded_;
}

}  // namespace vistel
