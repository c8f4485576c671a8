#pragma once

#include "app/ports/file_system.h"

namespace vistel {

// The file system of this machine.
class PosixFileSystem : public FileSystem {
public:
    bool listFolder(const std::string& folder, std::vector<FolderEntry>& entries) override;
    std::optional<bool> isFolder(const std::string& path) override;
    std::optional<FolderId> folderId(const std::string& path) override;
    bool isLink(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool removeFolder(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to) override;
    bool isWritableFolder(const std::string& path) override;
};

}  // namespace vistel
