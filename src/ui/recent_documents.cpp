#include "ui/recent_documents.h"

#include <QDir>
#include <QSaveFile>
#include <cstdlib>

namespace vistel {

namespace {

constexpr char kEmptyList[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\" xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\" "
    "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "</xbel>\n";

}  // namespace

std::filesystem::path DefaultDataHome() {
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && dataHome[0] == '/') {
        return dataHome;
    }
    const char* home = std::getenv("HOME");
    const std::filesystem::path base = home && home[0] != '\0'
                                           ? std::filesystem::path(home)
                                           : std::filesystem::path(QDir::homePath().toStdString());
    return base / ".local" / "share";
}

bool ClearRecentDocuments(const std::filesystem::path& dataHome) {
    const QString folder = QString::fromStdString(dataHome.string());
    if (!QDir().mkpath(folder)) return false;
    QSaveFile file(QDir(folder).filePath(QString::fromLatin1(kRecentDocumentsFile)));
    if (!file.open(QIODevice::WriteOnly)) return false;
    const qint64 size = static_cast<qint64>(sizeof(kEmptyList) - 1);
    if (file.write(kEmptyList, size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace vistel
