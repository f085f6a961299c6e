#pragma once
// InfoStringMap: an ObserverInfo carrying named text values. Keys compare
// without regard to case; a key keeps the letter case it was first added
// with.

#include "object/ObserverInfo.h"
#include "platform/Export.h"
#include "string/String.h"

#include <map>

namespace torv {

class TORV_API InfoStringMap : public ObserverInfo {
    TORV_DECLARE_CLASS(InfoStringMap);

public:
    using Infos = std::map<const String, String, StringLess2>;

    InfoStringMap();
    InfoStringMap(const Infos& m);
    // A copy expires whatever the source says, as every new record does.
    InfoStringMap(const InfoStringMap& o);
    ~InfoStringMap() override;

    // Copies the flag and the entries.
    InfoStringMap& operator=(const InfoStringMap& o);

    void setInfos(const Infos& m);
    const Infos& getInfos() const noexcept { return infos; }

    // Sets the value of key, adding the key when no key equal to it without
    // regard to case exists. The library provides the String form only.
    template <class T>
    void addInfo(const String& key, const T& value);

    // String::NIL when there is no such key, so a missing key differs from
    // a key with an empty value.
    const String& getInfoByKey(const String& key) const;
    unsigned long long getNumberInfos() const noexcept { return infos.size(); }

private:
    void replaceInfos(const Infos& m);

    Infos infos;
};

template <>
TORV_API void InfoStringMap::addInfo<String>(const String& key, const String& value);

} // namespace torv
