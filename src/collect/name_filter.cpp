#include "collect/name_filter.h"

namespace vistel {

std::string FileNameOf(std::string_view path, char separator) {
    const std::string trimmed = TrimBlanks(path);
    const size_t last = trimmed.rfind(separator);
    return last == std::string::npos ? trimmed : trimmed.substr(last + 1);
}

std::string ExtensionOf(std::string_view path, char separator) {
    const std::string name = FileNameOf(path, separator);
    const size_t dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

Flag IsImageFile(std::string_view path, std::string_view imageFilter, char separator) {
    const std::string extension = ExtensionOf(path, separator);
    if (extension.empty()) return kFalse;
    size_t start = 0;
    while (true) {
        const size_t sep = imageFilter.find(';', start);
        const std::string_view item =
            imageFilter.substr(start, sep == std::string_view::npos ? std::string_view::npos : sep - start);
        if (item.size() > 2 && EqualsIgnoreCase(item.substr(2), extension)) return kTrue;
        if (sep == std::string_view::npos) return kFalse;
        start = sep + 1;
    }
}

}  // namespace vistel
