#pragma once
/// @file
/// The per-class boilerplate of every class derived from BaseNode.
///
/// In the class body (it leaves the access at public):
///
///     class TORV_API Directory : public FileSystemItem {
///         TORV_DECLARE_CLASS(Directory);
///     public:
///         ...
///     };
///
/// This declares the nested descriptor type ClassCreator, the static
/// Class(), the override of getClassType() and the static class hooks
/// initStatics() / clearStatics().
///
/// In exactly one source, inside the class's namespace:
///
///     TORV_DEFINE_CLASS(Directory, FileSystemItem)
///
/// defines them all: the descriptor is a function-local static built on the
/// first Class() call, named "Directory", below Base::Class(), owned by the
/// defining code module's thisModule(); both hooks do nothing. A class with
/// real hooks uses TORV_DEFINE_CLASS_OWN_STATICS(X, Base) instead and
/// defines X::initStatics() and X::clearStatics() itself; they run when the
/// defining module is initialised and terminated. Such a class must be
/// listed in its module's TORV_REGISTER_CLASSES: otherwise its descriptor
/// could appear only after the module was initialised and the hooks would
/// never run, so the link fails with an undefined reference to
/// X::listedInTorvRegisterClasses().
///
/// Descriptors are not registered by per-source static initialisers (whose
/// order across sources is unspecified): a code module that needs its
/// classes registered at load time lists them once, in order, with
/// TORV_REGISTER_CLASSES from object/ClassRegistration.h.

#include "module/Module.h"
#include "object/KelClass.h"

/// Declares ClassCreator, Class(), getClassType(), initStatics() and
/// clearStatics() in the body of class X; leaves the access at public.
#define TORV_DECLARE_CLASS(X)                                                                                          \
  public:                                                                                                              \
  class ClassCreator;                                                                                                  \
  static const ::torv::KelClass* Class();                                                                              \
  const ::torv::KelClass* getClassType() const override;                                                               \
  static void initStatics();                                                                                           \
  static void clearStatics();                                                                                          \
  static void listedInTorvRegisterClasses()

/// Defines X's descriptor (named "X", below Base::Class(), owned by
/// thisModule()), Class() and getClassType(); `initHooks` is the body of the
/// descriptor's initClassStatics().
#define TORV_DEFINE_CLASS_DESCRIPTOR(X, Base, initHooks)                                                               \
  class X::ClassCreator : public ::torv::KelClass {                                                                    \
public:                                                                                                                \
    ClassCreator() : ::torv::KelClass(L"" #X, Base::Class(), ::thisModule()) {}                                        \
    ~ClassCreator() override {}                                                                                        \
    void initClassStatics() const override { initHooks }                                                               \
    void clearClassStatics() const override { X::clearStatics(); }                                                     \
  };                                                                                                                   \
  const ::torv::KelClass* X::Class()                                                                                   \
  {                                                                                                                    \
    static const ClassCreator descriptor;                                                                              \
    return &descriptor;                                                                                                \
  }                                                                                                                    \
  const ::torv::KelClass* X::getClassType() const { return X::Class(); }

/// Defines X's descriptor, Class() and getClassType(); X defines its own
/// hooks and must be listed in its module's TORV_REGISTER_CLASSES.
#define TORV_DEFINE_CLASS_OWN_STATICS(X, Base)                                                                         \
  TORV_DEFINE_CLASS_DESCRIPTOR(X, Base, X::listedInTorvRegisterClasses(); X::initStatics();)

/// Defines X's descriptor, Class() and getClassType() with hooks that do
/// nothing; X need not be listed in TORV_REGISTER_CLASSES.
#define TORV_DEFINE_CLASS(X, Base)                                                                                     \
  TORV_DEFINE_CLASS_DESCRIPTOR(X, Base, X::initStatics();)                                                             \
  void X::initStatics() {}                                                                                             \
  void X::clearStatics() {}
