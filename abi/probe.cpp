// Compiled as a host compiles against the headers, with debug information,
// so that abi/layout.py reads each listed class's layout as hosts see it.
// List here every class whose layout a host compiles in: one it embeds,
// derives from, copies, or whose inline members it runs.

#include "filesystem/Directory.h"
#include "filesystem/FailureLog.h"
#include "filesystem/File.h"
#include "filesystem/FileCollectionIterator.h"
#include "filesystem/FileSystemIterator.h"
#include "filesystem/TorvCopyObserver.h"
#include "filesystem/TorvFileProgressInterface.h"
#include "module/LanguageChoice.h"
#include "module/Module.h"
#include "module/StringResource.h"
#include "module/SymbolTable.h"
#include "module/VersionInfo.h"
#include "object/BaseNode.h"
#include "object/InfoStringMap.h"
#include "object/InterlockedCounter.h"
#include "object/KelClass.h"
#include "object/NumericTraits.h"
#include "object/ObserverInfo.h"
#include "object/SmartPtr.h"
#include "platform/MfcLayer.h"
#include "string/AllocationFailure.h"
#include "string/String.h"
#include "string/StringBuilder.h"
#include "string/StringReader.h"
#include "string/StringVal.h"

#include <cstddef>

// One line per class: layout.py reads this list from the source.
#define TORV_ABI_JOIN2(a, b) a##b
#define TORV_ABI_JOIN(a, b) TORV_ABI_JOIN2(a, b)
// sizeof instantiates a template; the variable makes the compiler describe it.
#define TORV_ABI_CLASS(...)                                                                                            \
  static_assert(sizeof(__VA_ARGS__) > 0);                                                                              \
  __VA_ARGS__* TORV_ABI_JOIN(torvAbiProbe, __LINE__) = nullptr;

TORV_ABI_CLASS(torv::AllocationFailure)
TORV_ABI_CLASS(torv::BaseNode)
TORV_ABI_CLASS(torv::Directory)
TORV_ABI_CLASS(torv::DirectoryIterator)
TORV_ABI_CLASS(torv::FailureLog)
TORV_ABI_CLASS(torv::FailureLog::Entry)
TORV_ABI_CLASS(torv::File)
TORV_ABI_CLASS(torv::FileCollectionIterator)
TORV_ABI_CLASS(torv::FileIterator)
TORV_ABI_CLASS(torv::FileSystemItem)
TORV_ABI_CLASS(torv::FileSystemIterator)
TORV_ABI_CLASS(torv::InfoStringMap)
TORV_ABI_CLASS(torv::InterlockedCounter)
TORV_ABI_CLASS(torv::KelClass)
TORV_ABI_CLASS(torv::LanguageChoice)
TORV_ABI_CLASS(torv::LanguageChoice::Probe)
TORV_ABI_CLASS(torv::Module)
TORV_ABI_CLASS(torv::Module::const_iterator)
TORV_ABI_CLASS(torv::ObserverInfo)
TORV_ABI_CLASS(torv::ScanPtColor<int>)
TORV_ABI_CLASS(torv::ScanPtColor<torv::Vec3d<double>>)
TORV_ABI_CLASS(torv::SmartPtr<const torv::Directory>)
TORV_ABI_CLASS(torv::SmartPtr<const torv::File>)
TORV_ABI_CLASS(torv::SmartPtr<torv::BaseNode>)
TORV_ABI_CLASS(torv::String)
TORV_ABI_CLASS(torv::StringBuffer)
TORV_ABI_CLASS(torv::StringBuilder)
TORV_ABI_CLASS(torv::StringReader)
TORV_ABI_CLASS(torv::StringResource)
TORV_ABI_CLASS(torv::StringVal)
TORV_ABI_CLASS(torv::SymbolTable)
TORV_ABI_CLASS(torv::SymbolTable::RejectedLine)
TORV_ABI_CLASS(torv::TorvCopyObserver)
TORV_ABI_CLASS(torv::TorvFileProgressInterface)
TORV_ABI_CLASS(torv::Vec3d<float>)
TORV_ABI_CLASS(torv::VersionInfo)
TORV_ABI_CLASS(AFX_EXTENSION_MODULE)
TORV_ABI_CLASS(CDynLinkLibrary)
