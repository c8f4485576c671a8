#pragma once

#include <locale.h>

#include <string>

struct archive;
struct archive_entry;

namespace vistel::archive_io {

enum class ArchiveFormat { Lha, Zip };

// Gives the calling thread a UTF-8 character type while alive, when its current one is not
// UTF-8 (the "C" locale of a program that never called setlocale). libarchive turns member
// names into text through the thread's locale and fails on non-ASCII names otherwise.
class Utf8ThreadLocale {
public:
    Utf8ThreadLocale();
    ~Utf8ThreadLocale();
    Utf8ThreadLocale(const Utf8ThreadLocale&) = delete;
    Utf8ThreadLocale& operator=(const Utf8ThreadLocale&) = delete;

private:
    locale_t previous_ = nullptr;
};

// One libarchive reader that accepts only the given format, uncompressed as a whole (no
// filters). Create it while a Utf8ThreadLocale is alive.
class ArchiveReader {
public:
    explicit ArchiveReader(ArchiveFormat format);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // False when the file is missing, unreadable or not an archive of the format.
    bool open(const std::string& path);

    // archive_read_next_header's result (ARCHIVE_OK, ARCHIVE_EOF, ...).
    int nextHeader(archive_entry*& entry);

    // The bytes of the current member's name as stored, or its UTF-8 form when the archive
    // says it is UTF-8 (or names another character set). Turn it into text with
    // MemberNameDecoder.
    std::string memberNameBytes(archive_entry* entry) const;

    archive* handle() const { return archive_; }
    std::string errorText() const;

private:
    ArchiveFormat format_;
    archive* archive_ = nullptr;
};

}  // namespace vistel::archive_io
