#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vistel {

enum class EntryKind : uint8_t {
    File,          // an ordinary file, or anything else that is not a folder
    Folder,        // a real folder
    LinkToFolder,  // a symbolic link that leads to a folder
    Link,          // any other symbolic link (dangling, or to a file)
};

struct FolderEntry {
    std::string name;
    EntryKind kind = EntryKind::File;
};

// Identity of a folder on disk, so that a walk lists every folder once, whatever
// links lead to it.
struct FolderId {
    uint64_t device = 0;
    uint64_t inode = 0;
    friend bool operator==(const FolderId&, const FolderId&) = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The entries of a folder except ".", ".." and hidden ones (names starting with
    // "."), in the order the system returns them. false when it cannot be listed.
    virtual bool listFolder(const std::string& folder, std::vector<FolderEntry>& entries) = 0;
    // Whether path is a folder (following links); nullopt when nothing is there.
    virtual std::optional<bool> isFolder(const std::string& path) = 0;
    // The identity of the folder that path leads to (following links).
    virtual std::optional<FolderId> folderId(const std::string& path) = 0;
    // Whether path is itself a symbolic link.
    virtual bool isLink(const std::string& path) = 0;
    // Whether an ordinary, not hidden file exists at path.
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool createFolder(const std::string& path) = 0;
    // Deletes a file, or a symbolic link itself (never what it leads to).
    virtual bool deleteFile(const std::string& path) = 0;
    // Removes an empty folder.
    virtual bool removeFolder(const std::string& path) = 0;
    // Byte-for-byte copy; an existing destination is replaced.
    virtual bool copyFile(const std::string& from, const std::string& to) = 0;
    virtual bool isWritableFolder(const std::string& path) = 0;
};

}  // namespace vistel
