#pragma once
/// @file
/// InfoStringMap: an ObserverInfo carrying named text values. Keys compare
/// without regard to case; a key keeps the letter case it was first added
/// with.

#include "object/ObserverInfo.h"
#include "platform/Export.h"
#include "string/String.h"

#include <map>

namespace torv {

/// An ObserverInfo with named text values; keys ignore letter case.
class TORV_API InfoStringMap : public ObserverInfo {
    TORV_DECLARE_CLASS(InfoStringMap);

public:
    /// The entries: key to value, keys compared without regard to case.
    using Infos = std::map<const String, String, StringLess2>;

    /// An empty map that expires.
    InfoStringMap();
    /// A map with the entries of m.
    InfoStringMap(const Infos& m);
    /// A copy expires whatever the source says, as every new record does.
    InfoStringMap(const InfoStringMap& o);
    ~InfoStringMap() override;

    /// Copies the flag and the entries.
    InfoStringMap& operator=(const InfoStringMap& o);

    /// Replaces all entries by those of m.
    void setInfos(const Infos& m);
    /// The entries, owned by this map.
    const Infos& getInfos() const noexcept { return infos; }

    /// Sets the value of key, adding the key when no key equal to it without
    /// regard to case exists. The library provides the String form only.
    template <class T>
    void addInfo(const String& key, const T& value);

    /// The value of key, owned by this map; String::NIL when there is no
    /// such key, so a missing key differs from a key with an empty value.
    const String& getInfoByKey(const String& key) const;
    /// The number of entries.
    unsigned long long getNumberInfos() const noexcept { return infos.size(); }

private:
    void replaceInfos(const Infos& m);

    Infos infos;
};

/// The one form of addInfo that the library provides.
template <>
TORV_API void InfoStringMap::addInfo<String>(const String& key, const String& value);

} // namespace torv
