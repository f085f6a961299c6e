// The load-time registration of this library's class descriptors, in their
// fixed order; the first of them creates the library's own Module. The
// empty symbol table follows them here, so that it is built after the
// descriptors and destroyed before them.
#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "filesystem/FileCollectionIterator.h"
#include "filesystem/FileSystemIterator.h"
#include "module/SymbolTable.h"
#include "object/ClassRegistration.h"
#include "object/InfoStringMap.h"
#include "object/ObserverInfo.h"

namespace torv {

TORV_REGISTER_CLASSES(FileSystemItem, Directory, File, FileSystemIterator, DirectoryIterator, FileIterator,
                      FileCollectionIterator, ObserverInfo, InfoStringMap)

const SymbolTable SymbolTable::EMPTY;

} // namespace torv
