#include "ui/translations.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vistel {

QTranslator* InstallJapaneseTranslations(QApplication& app) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);

    const QString family = QString::fromLatin1(kJapaneseFontFamily);
    if (QFontDatabase::families().contains(family)) {
        QFont font = QApplication::font();
        font.setFamilies({family});
        QApplication::setFont(font);
    }

    auto* translator = new QTranslator(&app);
    if (!translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

}  // namespace vistel
