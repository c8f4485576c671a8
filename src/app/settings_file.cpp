#include "app/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "app/numeric.h"
#include "app/paths.h"

namespace vistel {

namespace {

// Longer text cannot be a 32-bit number with a sane fraction; it is marked invalid
// instead of being kept.
constexpr size_t kMaxFieldLength = 64;

class FieldReader {
public:
    explicit FieldReader(std::istream& in) : in_(in) {}

    bool atEnd() { return in_.peek() == std::char_traits<char>::eof(); }

    // The next field, trimmed; tooLong is set when it did not fit.
    std::string next(bool& tooLong) {
        tooLong = false;
        std::string field;
        int c = in_.get();
        while (c == ' ' || c == '\t') c = in_.get();
        if (c == '"') {
            for (c = in_.get(); c != EOF && c != '"'; c = in_.get()) keep(field, c, tooLong);
            // What follows the closing quote up to the field's end is dropped.
            if (c == '"') c = in_.get();
            while (c != EOF && c != ',' && c != '\r' && c != '\n') c = in_.get();
        } else {
            for (; c != EOF && c != ',' && c != '\r' && c != '\n'; c = in_.get()) keep(field, c, tooLong);
        }
        if (c == '\r' && in_.peek() == '\n') in_.get();
        return TrimBlanks(field);
    }

private:
    static void keep(std::string& field, int c, bool& tooLong) {
        if (field.size() < kMaxFieldLength) {
            field += static_cast<char>(c);
        } else {
            tooLong = true;
        }
    }

    std::istream& in_;
};

}  // namespace

SettingsValues ReadSettingsValues(std::istream& in) {
    SettingsValues values{};
    FieldReader reader(in);
    for (size_t i = 0; i < kSettingsValueCount && !reader.atEnd(); ++i) {
        bool tooLong = false;
        const std::string field = reader.next(tooLong);
        if (tooLong || field.empty() || CheckNumeric(field) != 0) continue;
        values[i] = ParseInt32(field).value_or(0);
    }
    return values;
}

SettingsValues ReadSettingsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return SettingsValues{};
    return ReadSettingsValues(in);
}

bool WriteSettingsFile(const std::string& path, const std::array<double, kSettingsValueCount>& values) {
    std::string text;
    for (double value : values) text += SettingsNumber(value) + "\r\n";

    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return false;
    bool written = true;
    for (size_t done = 0; written && done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0) {
            written = false;
        } else {
            done += static_cast<size_t>(n);
        }
    }
    written = fchmod(fd, 0644) == 0 && fsync(fd) == 0 && written;
    written = close(fd) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace vistel
