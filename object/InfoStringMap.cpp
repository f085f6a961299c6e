#include "object/InfoStringMap.h"

namespace torv {

TORV_DEFINE_CLASS(InfoStringMap, ObserverInfo)

InfoStringMap::InfoStringMap() = default;

InfoStringMap::InfoStringMap(const Infos& m) : infos(m) {}

InfoStringMap::InfoStringMap(const InfoStringMap& o) : ObserverInfo(o), infos(o.infos) { setExpire(true); }

InfoStringMap::~InfoStringMap() { infos.clear(); }

InfoStringMap& InfoStringMap::operator=(const InfoStringMap& o)
{
    ObserverInfo::operator=(o);
    if (&o != this)
        replaceInfos(o.infos);
    return *this;
}

void InfoStringMap::setInfos(const Infos& m)
{
    if (&m != &infos)
        replaceInfos(m);
}

// Copy first: a failed copy leaves the entries as they were.
void InfoStringMap::replaceInfos(const Infos& m)
{
    Infos copy(m);
    infos.swap(copy);
}

template <>
void InfoStringMap::addInfo<String>(const String& key, const String& value)
{
    infos[key] = value;
}

const String& InfoStringMap::getInfoByKey(const String& key) const
{
    const auto found = infos.find(key);
    return found == infos.end() ? String::NIL : found->second;
}

} // namespace torv
