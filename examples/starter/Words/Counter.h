#pragma once
// A count of things, named in the module's language ("3 apples").
#include "object/BaseNode.h"
#include "string/String.h"
#include "words_export.h"

namespace words {

class WORDS_EXPORT Counter : public torv::BaseNode {
    TORV_DECLARE_CLASS(Counter);

public:
    explicit Counter(int count) : count(count) {}
    void add(int more) { count += more; }
    torv::String describe() const;

private:
    int count;
    // The name of the things counted: the class's own statics, loaded when
    // Words.dll starts and cleared when it ends.
    static torv::String things;
};

} // namespace words
