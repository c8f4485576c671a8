#include "archive_reader.h"

#include <archive.h>
#include <archive_entry.h>
#include <langinfo.h>

#include <cstring>
#include <optional>

#include "member_name.h"

namespace vistel::archive_io {

namespace {

// Big members are read in large pieces; small ones come out of the same buffer. (Larger blocks
// gain nothing measurable.)
constexpr std::size_t kReadBlockSize = 1 << 18;

locale_t utf8Locale() {
    static const locale_t locale = [] {
        locale_t made = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        if (made == static_cast<locale_t>(0))
            made = newlocale(LC_CTYPE_MASK, "en_US.UTF-8", static_cast<locale_t>(0));
        return made;
    }();
    return locale;
}

}  // namespace

Utf8ThreadLocale::Utf8ThreadLocale() {
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return;
    if (const locale_t utf8 = utf8Locale(); utf8 != static_cast<locale_t>(0)) previous_ = uselocale(utf8);
}

Utf8ThreadLocale::~Utf8ThreadLocale() {
    if (previous_ != nullptr) uselocale(previous_);
}

ArchiveReader::ArchiveReader(ArchiveFormat format) : format_(format), archive_(archive_read_new()) {
    if (archive_ == nullptr) return;
    archive_read_support_filter_none(archive_);
    switch (format) {
        case ArchiveFormat::Lha:
            archive_read_support_format_lha(archive_);
            // LZH headers do not say how names are encoded. Read as ISO-8859-1 every byte
            // stays one character, so the name's bytes can be had back (see memberNameBytes).
            archive_read_set_format_option(archive_, "lha", "hdrcharset", "ISO-8859-1");
            break;
        case ArchiveFormat::Zip:
            // The seekable reader works from the central directory; the streaming one takes
            // over for files without a readable one (cut off at the end, for instance).
            archive_read_support_format_zip_seekable(archive_);
            archive_read_support_format_zip_streamable(archive_);
            break;
    }
}

ArchiveReader::~ArchiveReader() {
    if (archive_ != nullptr) archive_read_free(archive_);
}

bool ArchiveReader::open(const std::string& path) {
    return archive_ != nullptr &&
           archive_read_open_filename(archive_, path.c_str(), kReadBlockSize) == ARCHIVE_OK;
}

int ArchiveReader::nextHeader(archive_entry*& entry) {
    if (archive_ == nullptr) return ARCHIVE_FATAL;
    return archive_read_next_header(archive_, &entry);
}

std::string ArchiveReader::memberNameBytes(archive_entry* entry) const {
    if (format_ == ArchiveFormat::Lha) {
        if (const wchar_t* wide = archive_entry_pathname_w(entry); wide != nullptr) {
            if (std::optional<std::string> bytes = latin1Bytes(wide)) return *bytes;
        }
        // The archive named its character set and libarchive decoded the name with it.
        const char* utf8 = archive_entry_pathname_utf8(entry);
        return utf8 != nullptr ? utf8 : "";
    }
    // ZIP: the UTF-8 name of a member flagged so, the stored bytes of any other.
    const char* bytes = archive_entry_pathname(entry);
    if (bytes == nullptr) bytes = archive_entry_pathname_utf8(entry);
    return bytes != nullptr ? bytes : "";
}

std::string ArchiveReader::errorText() const {
    const char* text = archive_ != nullptr ? archive_error_string(archive_) : nullptr;
    return text != nullptr ? text : "unknown error";
}

}  // namespace vistel::archive_io
