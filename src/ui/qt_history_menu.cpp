#include "ui/qt_history_menu.h"

#include <memory>
#include <utility>

namespace vistel {

namespace {

constexpr const char* kSeparatorCaption = "-";

}  // namespace

QtHistoryMenu::QtHistoryMenu(QMenu& menu, std::function<void(int16_t)> onChosen) {
    // A lone "-" item must still show as a line, as it does at start.
    menu.setSeparatorsCollapsible(false);
    auto chosen = std::make_shared<std::function<void(int16_t)>>(std::move(onChosen));
    for (int16_t index = 1; index <= kCount; ++index) {
        QAction* item = menu.addAction(QString());
        item->setObjectName(QStringLiteral("mnuHistory_%1").arg(index));
        QObject::connect(item, &QAction::triggered, item, [chosen, index] {
            if (*chosen) (*chosen)(index);
        });
        actions_[static_cast<size_t>(index - 1)] = item;
    }
    setCaption(1, kSeparatorCaption);
    for (int16_t index = 2; index <= kCount; ++index) {
        setItemVisible(index, false);
        setItemEnabled(index, false);
    }
}

QAction* QtHistoryMenu::action(int16_t index) const {
    return index >= 1 && index <= kCount ? actions_[static_cast<size_t>(index - 1)] : nullptr;
}

std::string QtHistoryMenu::caption(int16_t index) const {
    return index >= 1 && index <= kCount ? captions_[static_cast<size_t>(index - 1)] : std::string();
}

void QtHistoryMenu::setCaption(int16_t index, const std::string& caption) {
    QAction* item = action(index);
    if (!item) return;
    captions_[static_cast<size_t>(index - 1)] = caption;
    const bool separator = caption == kSeparatorCaption;
    item->setSeparator(separator);
    item->setText(separator ? QString() : QString::fromStdString(caption));
}

void QtHistoryMenu::setItemVisible(int16_t index, bool visible) {
    if (QAction* item = action(index)) item->setVisible(visible);
}

void QtHistoryMenu::setItemEnabled(int16_t index, bool enabled) {
    if (QAction* item = action(index)) item->setEnabled(enabled);
}

bool QtHistoryMenu::isItemVisible(int16_t index) const {
    const QAction* item = action(index);
    return item && item->isVisible();
}

bool QtHistoryMenu::isItemEnabled(int16_t index) const {
    const QAction* item = action(index);
    return item && item->isEnabled();
}

}  // namespace vistel
