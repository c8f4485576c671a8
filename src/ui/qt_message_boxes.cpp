#include "ui/qt_message_boxes.h"

namespace vistel {

std::unique_ptr<QMessageBox> MakeMessageBox(MessageKind kind, const std::string& text, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QStringLiteral("Vistel"));
    box->setTextFormat(Qt::PlainText);
    box->setText(QString::fromStdString(text));
    box->setIcon(kind == MessageKind::Critical ? QMessageBox::Critical : QMessageBox::NoIcon);
    if (kind == MessageKind::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
    }
    return box;
}

void QtMessageBoxes::show(const std::string& text) {
    MakeMessageBox(MessageKind::Plain, text, parent_)->exec();
}

void QtMessageBoxes::showCritical(const std::string& text) {
    MakeMessageBox(MessageKind::Critical, text, parent_)->exec();
}

bool QtMessageBoxes::askYesNo(const std::string& text) {
    return MakeMessageBox(MessageKind::YesNo, text, parent_)->exec() == QMessageBox::Yes;
}

}  // namespace vistel
