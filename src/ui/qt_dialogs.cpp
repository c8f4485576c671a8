#include "ui/qt_dialogs.h"

#include <QColorDialog>
#include <QFileInfo>

namespace vistel {

namespace {

// Text up to its first NUL.
std::string UpToNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void AddOnce(QStringList& list, const QString& pattern) {
    if (!pattern.isEmpty() && !list.contains(pattern)) list.append(pattern);
}

}  // namespace

QString QtPatterns(std::string_view patterns) {
    QStringList given;
    for (const QString& part : FromUtf8(patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        for (const QString& word : part.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            AddOnce(given, word == QLatin1String("*.*") ? QStringLiteral("*") : word);
        }
    }
    QStringList all = given;
    for (const QString& pattern : given) AddOnce(all, pattern.toLower());
    for (const QString& pattern : given) AddOnce(all, pattern.toUpper());
    return all.join(QLatin1Char(' '));
}

QStringList QtNameFilters(std::string_view filter) {
    QStringList filters;
    if (filter.empty()) return filters;
    if (filter.find('|') == std::string_view::npos) {
        filters.append(QtPatterns(filter));
        return filters;
    }
    const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QtPatterns(parts[i + 1].toStdString());
        if (patterns.isEmpty()) continue;
        const QString description = parts[i].trimmed();
        filters.append(description.isEmpty() ? patterns
                                             : QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters;
}

std::string JoinMultiSelection(const std::string& folder, const std::vector<std::string>& names) {
    std::string joined = folder;
    for (const std::string& name : names) {
        joined.push_back('\0');
        joined += name;
    }
    return joined;
}

std::string OpenDialogFileName(const QStringList& chosenPaths) {
    if (chosenPaths.isEmpty()) return {};
    if (chosenPaths.size() == 1) return chosenPaths.front().toStdString();
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(chosenPaths.size()));
    for (const QString& path : chosenPaths) names.push_back(QFileInfo(path).fileName().toStdString());
    return JoinMultiSelection(QFileInfo(chosenPaths.front()).absolutePath().toStdString(), names);
}

QColor ColorFromBgr(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

uint32_t BgrFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<uint32_t>(rgb.red()) | (static_cast<uint32_t>(rgb.green()) << 8) |
           (static_cast<uint32_t>(rgb.blue()) << 16);
}

namespace {

void ConfigureCommon(QFileDialog& fileDialog, const CommonDialogSettings& settings) {
    fileDialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!settings.dialogTitle.empty())
        fileDialog.setWindowTitle(QString::fromStdString(settings.dialogTitle));
    const std::string initDir = UpToNul(settings.initDir);
    if (!initDir.empty()) fileDialog.setDirectory(QString::fromStdString(initDir));
    const QStringList filters = QtNameFilters(settings.filter);
    if (!filters.isEmpty()) fileDialog.setNameFilters(filters);
}

}  // namespace

void ConfigureOpenDialog(QFileDialog& fileDialog, const CommonDialogSettings& settings) {
    ConfigureCommon(fileDialog, settings);
    fileDialog.setAcceptMode(QFileDialog::AcceptOpen);
    fileDialog.setFileMode((settings.flags & kFlagAllowMultiSelect) != 0 ? QFileDialog::ExistingFiles
                                                                         : QFileDialog::ExistingFile);
}

void ConfigureSaveDialog(QFileDialog& fileDialog, const CommonDialogSettings& settings) {
    ConfigureCommon(fileDialog, settings);
    fileDialog.setAcceptMode(QFileDialog::AcceptSave);
    fileDialog.setFileMode(QFileDialog::AnyFile);
    fileDialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QString suffix = QString::fromStdString(settings.defaultExt);
    while (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    if (!suffix.isEmpty()) fileDialog.setDefaultSuffix(suffix);
    const std::string proposed = UpToNul(settings.fileName);
    if (!proposed.empty()) fileDialog.selectFile(QString::fromStdString(proposed));
}

bool QtDialogs::showOpen(CommonDialogSettings& dialog) {
    QFileDialog fileDialog(parent_);
    ConfigureOpenDialog(fileDialog, dialog);
    if (fileDialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = fileDialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    dialog.fileName = OpenDialogFileName(chosen);
    return true;
}

bool QtDialogs::showSave(CommonDialogSettings& dialog) {
    QFileDialog fileDialog(parent_);
    ConfigureSaveDialog(fileDialog, dialog);
    if (fileDialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = fileDialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    dialog.fileName = chosen.front().toStdString();
    return true;
}

bool QtDialogs::showColor(CommonDialogSettings& dialog) {
    QColorDialog colorDialog(ColorFromBgr(dialog.color), parent_);
    colorDialog.setOption(QColorDialog::DontUseNativeDialog, true);
    if (colorDialog.exec() != QDialog::Accepted) return false;
    dialog.color = BgrFromColor(colorDialog.selectedColor());
    return true;
}

std::optional<std::string> QtDialogs::browseForFolder(const std::string& title) {
    const QString folder =
        QFileDialog::getExistingDirectory(parent_, QString::fromStdString(title), QString(),
                                          QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (folder.isEmpty()) return std::nullopt;
    return folder.toStdString();
}

}  // namespace vistel
