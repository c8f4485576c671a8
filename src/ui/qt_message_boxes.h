#pragma once

#include <QMessageBox>
#include <QWidget>
#include <memory>
#include <string>

#include "app/ports/message_boxes.h"

namespace vistel {

enum class MessageKind {
    Plain,     // OK, no icon
    Critical,  // OK, critical icon
    YesNo,     // Yes (the default) and No, no icon
};

// A message box of the given kind with the caption "Vistel", ready to be shown.
[[nodiscard]] std::unique_ptr<QMessageBox> MakeMessageBox(MessageKind kind, const std::string& text,
                                                          QWidget* parent);

// The modal message boxes over QMessageBox. Button texts follow the installed
// translation of Qt's own texts.
class QtMessageBoxes final : public MessageBoxes {
public:
    // parent: the window the boxes are centred on and modal to; may be null.
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}

    void show(const std::string& text) override;
    void showCritical(const std::string& text) override;
    bool askYesNo(const std::string& text) override;

private:
    QWidget* parent_;
};

}  // namespace vistel
