#include "Counter.h"

#include "Greeting.h"
#include "module/Module.h"
#include "object/ClassRegistration.h"
#include "resource.h"

namespace words {

torv::String Counter::things;

TORV_DEFINE_CLASS_OWN_STATICS(Counter, torv::BaseNode)

// The module's classes in the order they are registered; Counter must be
// listed, as it has statics of its own.
TORV_REGISTER_CLASSES(Greeting, Counter)

void Counter::initStatics() { things = torv::String::loadFromResource(IDS_ITEMS, thisModule()); }

void Counter::clearStatics() { things = torv::String::NIL; }

torv::String Counter::describe() const
{
    torv::String text;
    text << count << L" " << things;
    return text;
}

} // namespace words
