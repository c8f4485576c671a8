#include "app/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "app/paths.h"

namespace vistel {

namespace {

bool IsHiddenName(const char* name) {
    return name[0] == '.';
}

EntryKind KindOf(int dirFd, const char* name, unsigned char type) {
    struct stat info {};
    if (type == DT_UNKNOWN) {
        if (fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::File;
        type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISLNK(info.st_mode) ? DT_LNK : DT_REG;
    }
    if (type == DT_DIR) return EntryKind::Folder;
    if (type != DT_LNK) return EntryKind::File;
    const bool toFolder = fstatat(dirFd, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    return toFolder ? EntryKind::LinkToFolder : EntryKind::Link;
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

bool PosixFileSystem::listFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) return false;
    const int fd = dirfd(dir.get());
    while (const dirent* entry = readdir(dir.get())) {
        if (IsHiddenName(entry->d_name)) continue;  // also "." and ".."
        entries.push_back(FolderEntry{entry->d_name, KindOf(fd, entry->d_name, entry->d_type)});
    }
    return true;
}

std::optional<bool> PosixFileSystem::isFolder(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
    return S_ISDIR(info.st_mode);
}

std::optional<FolderId> PosixFileSystem::folderId(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
    return FolderId{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

bool PosixFileSystem::isLink(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool PosixFileSystem::fileExists(const std::string& path) {
    struct stat info {};
    std::string name = path;
    while (name.size() > 1 && name.back() == kPathSeparator) name.pop_back();
    const size_t slash = name.rfind(kPathSeparator);
    if (name.compare(slash == std::string::npos ? 0 : slash + 1, 1, ".") == 0) return false;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PosixFileSystem::createFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool PosixFileSystem::deleteFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

bool PosixFileSystem::removeFolder(const std::string& path) {
    return rmdir(path.c_str()) == 0;
}

bool PosixFileSystem::copyFile(const std::string& from, const std::string& to) {
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) {
        close(in);
        return false;
    }
    bool ok = true;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            ok = false;
            break;
        }
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w = write(out, buffer + done, static_cast<size_t>(n - done));
            if (w <= 0) ok = false;
            done += w;
        }
        if (!ok) break;
    }
    close(in);
    ok = close(out) == 0 && ok;
    return ok;
}

bool PosixFileSystem::isWritableFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && access(path.c_str(), W_OK) == 0;
}

}  // namespace vistel
