#include "destination.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vistel::archive_io {

namespace {

// Archives from cameras and scanners have a handful of folders; a wide tree just reopens
// folders now and then.
constexpr std::size_t kMaxOpenFolders = 64;

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

int openChildFolder(int parent, const std::string& name) {
    int fd = openat(parent, name.c_str(), kFolderFlags);
    if (fd >= 0 || errno != ENOENT) return fd;
    if (mkdirat(parent, name.c_str(), 0755) != 0 && errno != EEXIST) return -1;
    return openat(parent, name.c_str(), kFolderFlags);
}

}  // namespace

DestinationFolder::~DestinationFolder() {
    forgetFolders();
    if (root_ >= 0) close(root_);
}

bool DestinationFolder::open(const std::string& path) {
    root_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return root_ >= 0;
}

void DestinationFolder::forgetFolders() {
    for (const auto& [path, fd] : folders_) close(fd);
    folders_.clear();
}

int DestinationFolder::folder(std::string_view relative) {
    if (relative.empty()) return root_;
    if (const auto found = folders_.find(std::string(relative)); found != folders_.end())
        return found->second;

    const std::size_t slash = relative.rfind('/');
    const std::string_view parentPath =
        slash == std::string_view::npos ? std::string_view() : relative.substr(0, slash);
    const std::string name(slash == std::string_view::npos ? relative : relative.substr(slash + 1));
    const int parent = folder(parentPath);
    if (parent < 0) return -1;
    const int fd = openChildFolder(parent, name);
    if (fd < 0) return -1;
    if (folders_.size() >= kMaxOpenFolders) {
        // The parent may be among the closed ones; it is not needed any more.
        forgetFolders();
    }
    folders_.emplace(relative, fd);
    return fd;
}

int DestinationFolder::createFile(std::string_view relative) {
    const std::size_t slash = relative.rfind('/');
    const int parent =
        folder(slash == std::string_view::npos ? std::string_view() : relative.substr(0, slash));
    if (parent < 0) return -1;
    const std::string name(slash == std::string_view::npos ? relative : relative.substr(slash + 1));
    // O_NONBLOCK: a FIFO left in the folder fails at once instead of waiting for a reader.
    return openat(parent, name.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK,
                  0644);
}

}  // namespace vistel::archive_io
