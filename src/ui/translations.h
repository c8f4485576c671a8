#pragma once

class QApplication;
class QTranslator;

namespace vistel {

// The family that draws the window's Japanese texts.
inline constexpr const char* kJapaneseFontFamily = "Noto Sans CJK JP";

// Makes Qt's own texts (message box buttons, file and colour dialogs) Japanese:
// sets the default locale to Japanese (Japan) and installs Qt's Japanese catalogue
// from the system's translations folder. Also makes the Japanese font the
// application font when it is installed.
// Returns the installed translator (owned by app), or nullptr when the catalogue
// cannot be found; Qt's texts then stay English.
QTranslator* InstallJapaneseTranslations(QApplication& app);

}  // namespace vistel
