#include "object/ObserverInfo.h"

namespace torv {

TORV_DEFINE_CLASS(ObserverInfo, BaseNode)

ObserverInfo::~ObserverInfo() = default;

ObserverInfo& ObserverInfo::operator=(const ObserverInfo& o) noexcept = default;

} // namespace torv
