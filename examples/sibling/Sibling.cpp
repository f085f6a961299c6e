#include "Sibling.h"

#include "module/Module.h"
#include "resource.h"

namespace sibling {

const torv::Module& module() { return thisModule(); }

torv::String greeting() { return torv::String::loadFromResource(IDS_GREETING, thisModule()); }

torv::String languageName() { return torv::String::loadFromResource(IDS_LANGUAGE_NAME, thisModule()); }

} // namespace sibling
