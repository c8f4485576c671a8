#include "ui/qt_label.h"

namespace vistel {

QtLabel::QtLabel(QLabel& label) : label_(label) {
    label_.setTextFormat(Qt::PlainText);
}

void QtLabel::setText(const std::string& text) {
    label_.setText(QString::fromStdString(text));
}

std::string QtLabel::text() const {
    return label_.text().toStdString();
}

}  // namespace vistel
