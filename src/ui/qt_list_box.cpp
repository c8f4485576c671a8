#include "ui/qt_list_box.h"

namespace vistel {

QtListBox::QtListBox(QListWidget& list) : list_(list) {
    list_.setSelectionMode(QAbstractItemView::SingleSelection);
    list_.setUniformItemSizes(true);
    connect(&list_, &QListWidget::itemDoubleClicked, this, [this] {
        if (onDoubleClick) onDoubleClick();
    });
}

int16_t QtListBox::count() const {
    return static_cast<int16_t>(list_.count());
}

std::string QtListBox::item(int16_t index) const {
    const QListWidgetItem* entry = list_.item(index);
    return entry ? entry->text().toStdString() : std::string();
}

void QtListBox::add(const std::string& text) {
    list_.addItem(QString::fromStdString(text));
}

void QtListBox::clear() {
    list_.clear();
}

bool QtListBox::setSelected(int16_t index) {
    if (index < 0 || index >= list_.count()) return false;
    list_.setCurrentRow(index);
    return true;
}

int16_t QtListBox::selected() const {
    const QListWidgetItem* current = list_.currentItem();
    return current && current->isSelected() ? static_cast<int16_t>(list_.row(current)) : int16_t{-1};
}

void QtListBox::setVisible(bool visible) {
    list_.setVisible(visible);
}

bool QtListBox::isVisible() const {
    return !list_.isHidden();
}

}  // namespace vistel
