#include "object/ObserverInfo.h"

namespace torv {

TORV_DEFINE_CLASS(ObserverInfo, BaseNode)

ObserverInfo::~ObserverInfo()
{
}

ObserverInfo& ObserverInfo::operator=(const ObserverInfo& o) noexcept
{
    BaseNode::operator=(o);
    expire = o.expire;
    return *this;
}

} // namespace torv
