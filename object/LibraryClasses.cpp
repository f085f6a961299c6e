// The load-time registration list of this library's class descriptors.
// Its order is the order of registration; later classes go after BaseNode.
#include "object/BaseNode.h"
#include "object/ClassRegistration.h"

namespace torv {

TORV_REGISTER_CLASSES(BaseNode)

} // namespace torv
