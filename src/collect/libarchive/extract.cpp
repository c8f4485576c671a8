#include "extract.h"

#include <archive.h>
#include <archive_entry.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string_view>
#include <system_error>

#include "destination.h"
#include "member_name.h"

namespace vistel::archive_io {

namespace {

// Collects the per-member lines of the report, no more than will be handed back.
class Report {
public:
    explicit Report(std::size_t limit) : limit_(limit) {}

    void add(std::string_view first, std::string_view second = {}, std::string_view third = {}) {
        if (lines_.size() > limit_) return;
        lines_.append(first).append(second).append(third).push_back('\n');
    }

    std::string finish(std::string_view summary) {
        std::string text(summary);
        text.push_back('\n');
        text.append(lines_);
        truncateUtf8(text, limit_);
        return text;
    }

private:
    std::size_t limit_;
    std::string lines_;
};

std::string errnoText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// Writes all of data; false with errno set on failure.
bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

class Extractor {
public:
    Extractor(ArchiveReader& reader, DestinationFolder& destination, const ExtractLimits& limits,
              Report& report)
        : reader_(reader), destination_(destination), limits_(limits), report_(report) {}

    CommandStatus run();
    std::string summary(CommandStatus status) const;

private:
    enum class Step { Next, Stop };

    Step extractMember(archive_entry* entry);
    Step extractFile(archive_entry* entry, const std::string& relative);
    void skip(std::string_view name, std::string_view reason) {
        ++skipped_;
        report_.add("skipped ", name, reason);
    }
    Step fail(CommandStatus status, std::string_view what, std::string_view detail = {}) {
        if (status_ == CommandStatus::Ok) status_ = status;
        report_.add("error: ", what, detail);
        return Step::Stop;
    }
    // Damage confined to one member: noted, and the next member is tried.
    Step damaged(std::string_view name) {
        if (status_ == CommandStatus::Ok) status_ = CommandStatus::DamagedArchive;
        report_.add("damaged ", name, ": " + reader_.errorText());
        return Step::Next;
    }

    ArchiveReader& reader_;
    DestinationFolder& destination_;
    const ExtractLimits& limits_;
    Report& report_;
    MemberNameDecoder names_;
    CommandStatus status_ = CommandStatus::Ok;
    std::uint64_t members_ = 0;
    std::uint64_t totalBytes_ = 0;
    std::uint64_t files_ = 0;
    std::uint64_t folders_ = 0;
    std::uint64_t skipped_ = 0;
};

CommandStatus Extractor::run() {
    for (;;) {
        archive_entry* entry = nullptr;
        const int result = reader_.nextHeader(entry);
        if (result == ARCHIVE_EOF) break;
        if (result == ARCHIVE_FATAL || result == ARCHIVE_RETRY) {
            fail(CommandStatus::DamagedArchive, reader_.errorText());
            break;
        }
        if (++members_ > limits_.maxMembers) {
            fail(CommandStatus::TooManyMembers,
                 "more members than allowed: ", std::to_string(limits_.maxMembers));
            break;
        }
        if (result == ARCHIVE_FAILED) {
            damaged("member header");
            continue;
        }
        if (extractMember(entry) == Step::Stop) break;
    }
    return status_;
}

Extractor::Step Extractor::extractMember(archive_entry* entry) {
    const std::string name = names_.decode(reader_.memberNameBytes(entry));
    const std::optional<MemberPath> path = sanitizeMemberPath(name);
    if (!path) {
        skip(name, " (unsafe name)");
        return Step::Next;
    }

    const auto type = archive_entry_filetype(entry);
    if (archive_entry_hardlink(entry) != nullptr || (type != AE_IFREG && type != AE_IFDIR)) {
        skip(name, " (not a plain file or folder)");
        return Step::Next;
    }
    if (type == AE_IFDIR || path->folder) {
        if (destination_.folder(path->relative) < 0) {
            const int error = errno;
            if (error == ELOOP || error == ENOTDIR) {
                skip(name, " (in the way of a link or file)");
                return Step::Next;
            }
            return fail(CommandStatus::WriteFailed, path->relative, ": " + errnoText(error));
        }
        ++folders_;
        return Step::Next;
    }
    return extractFile(entry, path->relative);
}

Extractor::Step Extractor::extractFile(archive_entry* entry, const std::string& relative) {
    const std::uint64_t room = limits_.maxTotalBytes - totalBytes_;
    if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > 0 &&
        static_cast<std::uint64_t>(archive_entry_size(entry)) > room) {
        return fail(CommandStatus::TooLarge, relative, ": the archive unpacks to more than allowed");
    }

    const int fd = destination_.createFile(relative);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP || error == EISDIR || error == ENOTDIR || error == ENXIO) {
            skip(relative, " (in the way of a link, folder or special file)");
            return Step::Next;
        }
        return fail(CommandStatus::WriteFailed, relative, ": " + errnoText(error));
    }
    ++files_;
    report_.add(relative);

    Step step = Step::Next;
    std::int64_t position = 0;
    for (;;) {
        const void* block = nullptr;
        std::size_t size = 0;
        std::int64_t offset = 0;
        const int result = archive_read_data_block(reader_.handle(), &block, &size, &offset);
        if (result == ARCHIVE_EOF) break;
        if (result == ARCHIVE_FATAL) {
            step = fail(CommandStatus::DamagedArchive, relative, ": " + reader_.errorText());
            break;
        }
        if (result != ARCHIVE_OK) {
            step = damaged(relative);
            break;
        }
        if (offset < position) {
            step = damaged(relative);
            break;
        }
        if (size > limits_.maxTotalBytes - totalBytes_) {
            step = fail(CommandStatus::TooLarge, relative, ": the archive unpacks to more than allowed");
            break;
        }
        if (offset > position && lseek(fd, offset, SEEK_SET) < 0) {
            step = fail(CommandStatus::WriteFailed, relative, ": " + errnoText(errno));
            break;
        }
        if (!writeAll(fd, static_cast<const char*>(block), size)) {
            step = fail(CommandStatus::WriteFailed, relative, ": " + errnoText(errno));
            break;
        }
        totalBytes_ += size;
        position = offset + static_cast<std::int64_t>(size);
    }
    if (close(fd) != 0 && errno != EINTR && step == Step::Next) {
        step = fail(CommandStatus::WriteFailed, relative, ": " + errnoText(errno));
    }
    return step;
}

std::string Extractor::summary(CommandStatus status) const {
    std::string text =
        std::to_string(files_) + " file(s) and " + std::to_string(folders_) + " folder(s) extracted";
    if (skipped_ > 0) text += ", " + std::to_string(skipped_) + " member(s) skipped";
    if (status != CommandStatus::Ok) text += ", failed";
    return text;
}

}  // namespace

bool isArchive(ArchiveFormat format, const std::string& archivePath) {
    Utf8ThreadLocale locale;
    ArchiveReader reader(format);
    if (!reader.open(archivePath)) return false;
    archive_entry* entry = nullptr;
    const int result = reader.nextHeader(entry);
    return result == ARCHIVE_OK || result == ARCHIVE_WARN;
}

std::uint64_t countMembers(ArchiveFormat format, const std::string& archivePath) {
    Utf8ThreadLocale locale;
    ArchiveReader reader(format);
    if (!reader.open(archivePath)) return 0;
    std::uint64_t count = 0;
    for (;;) {
        archive_entry* entry = nullptr;
        const int result = reader.nextHeader(entry);
        if (result == ARCHIVE_EOF || result == ARCHIVE_FATAL || result == ARCHIVE_RETRY) break;
        ++count;
    }
    return count;
}

ExtractResult extractArchive(ArchiveFormat format, const std::string& archivePath,
                             const std::string& destination, const ExtractLimits& limits,
                             std::size_t reportLimit) {
    Report report(reportLimit);
    DestinationFolder folder;
    if (!folder.open(destination)) {
        const std::string reason = errnoText(errno);
        return {CommandStatus::NoDestination,
                report.finish("error: cannot open the folder " + destination + ": " + reason)};
    }

    Utf8ThreadLocale locale;
    ArchiveReader reader(format);
    if (!reader.open(archivePath)) {
        return {CommandStatus::CannotOpenArchive,
                report.finish("error: cannot open " + archivePath + ": " + reader.errorText())};
    }

    Extractor extractor(reader, folder, limits, report);
    const CommandStatus status = extractor.run();
    return {status, report.finish(extractor.summary(status))};
}

}  // namespace vistel::archive_io
