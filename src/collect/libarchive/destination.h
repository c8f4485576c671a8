#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace vistel::archive_io {

// The folder members are extracted into. Every path handed to it is relative and already
// checked (see sanitizeMemberPath). Folders below it are created one level at a time and a
// symbolic link is never followed, so nothing can be written outside it even when links
// already exist inside. Open folders are kept for the members that follow.
class DestinationFolder {
public:
    DestinationFolder() = default;
    ~DestinationFolder();
    DestinationFolder(const DestinationFolder&) = delete;
    DestinationFolder& operator=(const DestinationFolder&) = delete;

    // Opens the existing folder at path (which may itself be reached through links).
    bool open(const std::string& path);

    // The descriptor of the folder at relative ("" is the destination itself), created with
    // its missing parents (mode 0755). -1 with errno set on failure; ELOOP or ENOTDIR when a
    // part of it is a link or a file.
    int folder(std::string_view relative);

    // Creates or truncates the file at relative for writing (mode 0644, parents created).
    // -1 with errno set on failure; ELOOP when it is a link, EISDIR when a folder.
    int createFile(std::string_view relative);

private:
    void forgetFolders();

    int root_ = -1;
    std::unordered_map<std::string, int> folders_;  // relative path -> open descriptor
};

}  // namespace vistel::archive_io
