// The program's own class with class statics.
#include "StartupTrace.h"

#include "object/BaseNode.h"
#include "object/ClassRegistration.h"

namespace {

class Probe : public torv::BaseNode {
    TORV_DECLARE_CLASS(Probe);
};

TORV_DEFINE_CLASS_OWN_STATICS(Probe, torv::BaseNode)
TORV_REGISTER_CLASSES(Probe)

} // namespace

void Probe::initStatics()
{
    ++trace::inits;
    trace::line("init after %d static initialisers", trace::staticsBuilt);
}

void Probe::clearStatics()
{
    ++trace::clears;
    trace::line("clear after %d exit-time destructors", trace::staticsDestroyed);
}
