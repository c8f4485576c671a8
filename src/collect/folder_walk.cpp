#include "collect/folder_walk.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <unordered_set>

#include "app/core.h"

namespace vistel {

namespace {

constexpr std::string_view kOpen = "OPEN";
constexpr std::string_view kClosed = "CLOS";

struct FolderIdHash {
    size_t operator()(const FolderId& id) const {
        return std::hash<uint64_t>()(id.device * 1000003u ^ id.inode);
    }
};

class TreeWalker {
public:
    TreeWalker(FileSystem& fileSystem, LinkPolicy links, std::vector<std::string>& folders,
               std::vector<std::string>& files, char separator)
        : fs_(fileSystem), links_(links), folders_(folders), files_(files), separator_(separator) {}

    void walk(const std::string& root) {
        folders_.clear();
        files_.clear();
        // The root is listed as opened from the start; it is never listed twice.
        const bool trailing = !root.empty() && root.back() == separator_;
        const std::string rootPath = trailing ? root.substr(0, root.size() - 1) : root;
        folders_.push_back(std::string(kOpen) + rootPath);
        firstSeen(rootPath.empty() ? root : rootPath);
        list(rootPath);
        // New folders are appended, so opening them in list order is breadth first.
        for (size_t next = 1; next < folders_.size(); ++next) {
            std::string& entry = folders_[next];
            if (entry.compare(0, kClosed.size(), kClosed) != 0) continue;
            entry.replace(0, kOpen.size(), kOpen);
            list(entry.substr(kOpen.size()));
        }
        SortPathsIgnoringCase(files_);
    }

private:
    // folder is a path without its trailing separator.
    void list(const std::string& folder) {
        entries_.clear();
        if (!fs_.listFolder(folder + separator_, entries_)) return;
        for (const FolderEntry& entry : entries_) {
            std::string full = folder + separator_ + entry.name;
            switch (placeOf(entry.kind, full)) {
                case Place::FolderList:
                    folders_.push_back(std::string(kClosed) + std::move(full));
                    break;
                case Place::FileList:
                    files_.push_back(std::move(full));
                    break;
                case Place::Nowhere:
                    break;
            }
        }
    }

    enum class Place { FolderList, FileList, Nowhere };

    // Folders are opened once each: a second way to the same folder (through a link)
    // is dropped. When the walk does not follow links, every link is a file (it is
    // deleted as a link).
    Place placeOf(EntryKind kind, const std::string& full) {
        const bool follow = links_ == LinkPolicy::Follow;
        switch (kind) {
            case EntryKind::Folder:
                return !follow || firstSeen(full) ? Place::FolderList : Place::Nowhere;
            case EntryKind::LinkToFolder:
                if (!follow) return Place::FileList;
                return firstSeen(full) ? Place::FolderList : Place::Nowhere;
            case EntryKind::File:
            case EntryKind::Link:
                return Place::FileList;
        }
        return Place::Nowhere;
    }

    bool firstSeen(const std::string& path) {
        if (links_ == LinkPolicy::Delete) return true;
        const std::optional<FolderId> id = fs_.folderId(path);
        if (!id) return false;
        return seen_.insert(*id).second;
    }

    FileSystem& fs_;
    LinkPolicy links_;
    std::vector<std::string>& folders_;
    std::vector<std::string>& files_;
    char separator_;
    std::vector<FolderEntry> entries_;
    std::unordered_set<FolderId, FolderIdHash> seen_;
};

char FoldCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

void SortPathsIgnoringCase(std::vector<std::string>& paths) {
    // Folded keys are made once each, not in every comparison.
    std::vector<std::string> keys(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        keys[i].resize(paths[i].size());
        std::transform(paths[i].begin(), paths[i].end(), keys[i].begin(), FoldCase);
    }
    std::vector<uint32_t> order(paths.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        const int byKey = keys[a].compare(keys[b]);
        return byKey != 0 ? byKey < 0 : paths[a] < paths[b];
    });
    std::vector<std::string> sorted;
    sorted.reserve(paths.size());
    for (uint32_t i : order) sorted.push_back(std::move(paths[i]));
    paths = std::move(sorted);
}

void WalkTree(FileSystem& fileSystem, const std::string& root, LinkPolicy links,
              std::vector<std::string>& folders, std::vector<std::string>& files, char separator) {
    TreeWalker(fileSystem, links, folders, files, separator).walk(root);
}

void WalkFolder(Core& core, const std::string& root) {
    auto& lists = core.state.List1;
    WalkTree(core.ports.fileSystem, root, LinkPolicy::Follow, lists[kFolderList], lists[kFileList]);
}

void RemoveFolderTree(Core& core, const std::string& root) {
    auto& lists = core.state.List1;
    FileSystem& fs = core.ports.fileSystem;
    const std::string rootPath = root.size() > 1 ? root.substr(0, root.size() - 1) : root;
    if (fs.isLink(rootPath)) {
        // A root that is a link: the link goes, what it leads to stays.
        lists[kFolderList].clear();
        lists[kFileList].clear();
        fs.deleteFile(rootPath);
        return;
    }
    WalkTree(fs, root, LinkPolicy::Delete, lists[kFolderList], lists[kFileList]);
    const auto& files = lists[kFileList];
    for (auto it = files.rbegin(); it != files.rend(); ++it) fs.deleteFile(*it);
    // Children come after their parents: removing from the end removes inner
    // folders first and the root last.
    const auto& folders = lists[kFolderList];
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) fs.removeFolder(it->substr(kOpen.size()));
}

}  // namespace vistel
