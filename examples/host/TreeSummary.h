#pragma once
// The number of files and bytes below a folder, at every depth.
namespace torv {
class Directory;
}

namespace host {

struct TreeSummary {
    unsigned long long files = 0;
    unsigned long long bytes = 0;
};

TreeSummary summarizeTree(const torv::Directory& folder);

} // namespace host
