#pragma once

#include <QLabel>
#include <string>

#include "app/ports/label.h"

namespace vistel {

// The status line over a QLabel. The text is shown as it is, never as markup.
class QtLabel final : public Label {
public:
    // The label widget stays owned by its parent; it must outlive this adapter.
    explicit QtLabel(QLabel& label);

    void setText(const std::string& text) override;
    std::string text() const override;

private:
    QLabel& label_;
};

}  // namespace vistel
