// Must not link: a class with its own statics that the module's
// TORV_REGISTER_CLASSES does not list would never get initStatics().
#define TORV_EXECUTABLE_MODULE
#include "module/ModuleStartup.h"
#include "object/BaseNode.h"
#include "object/ClassRegistration.h"

class Listed : public torv::BaseNode {
    TORV_DECLARE_CLASS(Listed);
};
class Unlisted : public torv::BaseNode {
    TORV_DECLARE_CLASS(Unlisted);
};

TORV_DEFINE_CLASS(Listed, torv::BaseNode)
TORV_DEFINE_CLASS_OWN_STATICS(Unlisted, torv::BaseNode)
TORV_REGISTER_CLASSES(Listed)

void Unlisted::initStatics() {}
void Unlisted::clearStatics() {}

int main() { return Unlisted::Class() != nullptr ? 0 : 1; }
