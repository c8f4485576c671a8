#pragma once

#include <string>
#include <vector>

#include "app/paths.h"

namespace vistel {

struct Core;
class FileSystem;

// Whether a walk goes into folders that symbolic links lead to. Opening a source
// does, each folder at most once (a link loop ends); deleting a tree never does: a
// link is deleted as a link.
enum class LinkPolicy { Follow, Delete };

// Walks the tree below root (which ends with the separator) breadth first. The
// folder list gets "OPEN" + the path of every folder listed (the root first, without
// its trailing separator), in the order they were found; the file list gets the
// full path of every file, sorted ignoring letter case.
void WalkTree(FileSystem& fileSystem, const std::string& root, LinkPolicy links,
              std::vector<std::string>& folders, std::vector<std::string>& files,
              char separator = kPathSeparator);

// Sorts paths ascending ignoring ASCII letter case (ties by the exact text).
void SortPathsIgnoringCase(std::vector<std::string>& paths);

// Walks root into the folder work list and the file list.
void WalkFolder(Core& core, const std::string& root);

// Deletes every file and folder of the tree below root, root included. What cannot
// be deleted stays, with the folders on its path; nothing is reported. A symbolic
// link is removed itself, never what it leads to.
void RemoveFolderTree(Core& core, const std::string& root);

}  // namespace vistel
