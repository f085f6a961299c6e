#pragma once
// The default tree of the copy command: the file list embedded in the
// host's resources, written into a folder with generated contents.
namespace torv {
class Directory;
}

namespace host {

// Writes every listed file into `folder`, which must exist. False when the
// list is missing or a file cannot be written.
bool writeDefaultTree(const torv::Directory& folder);

} // namespace host
