#pragma once

#include <QColor>
#include <QFileDialog>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ports/dialogs.h"

namespace vistel {

// The file-name patterns of one filter ("*.LZH;*.ZIP") as a Qt pattern list that
// matches both letter cases: "*.LZH *.ZIP *.lzh *.zip". "*.*" stands for every file.
[[nodiscard]] QString QtPatterns(std::string_view patterns);

// A dialog filter as Qt name filters. The filter is either a bare pattern list, or
// pairs of description and patterns separated by "|" ("Images|*.jpg;*.png|All|*.*").
// Empty: no filter, every file is listed.
[[nodiscard]] QStringList QtNameFilters(std::string_view filter);

// The folder, then a NUL and a name for each file: the way several chosen files are
// handed back.
[[nodiscard]] std::string JoinMultiSelection(const std::string& folder,
                                             const std::vector<std::string>& names);

// What an open dialog hands back for the chosen files: the one full path, or for
// several files their folder followed by their names (see JoinMultiSelection).
[[nodiscard]] std::string OpenDialogFileName(const QStringList& chosenPaths);

// Colours are handed around as 0x00BBGGRR.
[[nodiscard]] QColor ColorFromBgr(uint32_t bgr);
[[nodiscard]] uint32_t BgrFromColor(const QColor& color);

// Sets up a Qt file dialog from the common dialog's settings, for opening or for saving.
void ConfigureOpenDialog(QFileDialog& fileDialog, const CommonDialogSettings& settings);
void ConfigureSaveDialog(QFileDialog& fileDialog, const CommonDialogSettings& settings);

// The modal dialogs over Qt's own (not the desktop's) file, colour and folder
// dialogs, so that they speak the installed translation.
class QtDialogs final : public Dialogs {
public:
    // parent: the window the dialogs are modal to; may be null.
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    bool showOpen(CommonDialogSettings& dialog) override;
    bool showSave(CommonDialogSettings& dialog) override;
    bool showColor(CommonDialogSettings& dialog) override;
    std::optional<std::string> browseForFolder(const std::string& title) override;

private:
    QWidget* parent_;
};

}  // namespace vistel
