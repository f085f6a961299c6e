#pragma once
/// @file
/// Load-time registration of a code module's class descriptors in one fixed
/// order. Write the list once per code module, in one source:
///
///     TORV_REGISTER_CLASSES(FileSystemItem, Directory, File)
///
/// Its namespace-scope initialiser calls each Class() in the given order
/// during the module's static initialisation, before the module's Module is
/// initialised; each descriptor is still built only once, whether by the
/// list or by an earlier Class() call. The list also defines each class's
/// listedInTorvRegisterClasses(), without which a class with its own
/// statics does not link. Up to 24 classes per list.

namespace torv {

/// Builds the descriptors of Classes in the given order when constructed.
template <class... Classes>
struct ClassRegistration {
    /// Calls each Class() in turn.
    ClassRegistration() { (static_cast<void>(Classes::Class()), ...); }
};

} // namespace torv

// TORV_FOR_EACH_CLASS(m, A, B, ...) expands to m(A) m(B) ...
/// @cond TORV_INTERNAL
#define TORV_EXPAND(x) x
#define TORV_EACH_1(m, x) m(x)
#define TORV_EACH_2(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_1(m, __VA_ARGS__))
#define TORV_EACH_3(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_2(m, __VA_ARGS__))
#define TORV_EACH_4(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_3(m, __VA_ARGS__))
#define TORV_EACH_5(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_4(m, __VA_ARGS__))
#define TORV_EACH_6(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_5(m, __VA_ARGS__))
#define TORV_EACH_7(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_6(m, __VA_ARGS__))
#define TORV_EACH_8(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_7(m, __VA_ARGS__))
#define TORV_EACH_9(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_8(m, __VA_ARGS__))
#define TORV_EACH_10(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_9(m, __VA_ARGS__))
#define TORV_EACH_11(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_10(m, __VA_ARGS__))
#define TORV_EACH_12(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_11(m, __VA_ARGS__))
#define TORV_EACH_13(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_12(m, __VA_ARGS__))
#define TORV_EACH_14(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_13(m, __VA_ARGS__))
#define TORV_EACH_15(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_14(m, __VA_ARGS__))
#define TORV_EACH_16(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_15(m, __VA_ARGS__))
#define TORV_EACH_17(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_16(m, __VA_ARGS__))
#define TORV_EACH_18(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_17(m, __VA_ARGS__))
#define TORV_EACH_19(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_18(m, __VA_ARGS__))
#define TORV_EACH_20(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_19(m, __VA_ARGS__))
#define TORV_EACH_21(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_20(m, __VA_ARGS__))
#define TORV_EACH_22(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_21(m, __VA_ARGS__))
#define TORV_EACH_23(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_22(m, __VA_ARGS__))
#define TORV_EACH_24(m, x, ...) m(x) TORV_EXPAND(TORV_EACH_23(m, __VA_ARGS__))
#define TORV_EACH_PICK(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, _11, _12, _13, _14, _15, _16, _17, _18, _19, _20, _21, \
                       _22, _23, _24, name, ...)                                                                       \
  name
#define TORV_FOR_EACH_CLASS(m, ...)                                                                                    \
  TORV_EXPAND(TORV_EACH_PICK(__VA_ARGS__, TORV_EACH_24, TORV_EACH_23, TORV_EACH_22, TORV_EACH_21, TORV_EACH_20,        \
                             TORV_EACH_19, TORV_EACH_18, TORV_EACH_17, TORV_EACH_16, TORV_EACH_15, TORV_EACH_14,       \
                             TORV_EACH_13, TORV_EACH_12, TORV_EACH_11, TORV_EACH_10, TORV_EACH_9, TORV_EACH_8,         \
                             TORV_EACH_7, TORV_EACH_6, TORV_EACH_5, TORV_EACH_4, TORV_EACH_3, TORV_EACH_2,             \
                             TORV_EACH_1)(m, __VA_ARGS__))
/// @endcond

/// Defines X::listedInTorvRegisterClasses(), the proof that X is listed.
#define TORV_LISTED_CLASS(X)                                                                                           \
  void X::listedInTorvRegisterClasses() {}

/// Registers the listed classes, in order, during static initialisation,
/// and marks each as listed.
#define TORV_REGISTER_CLASSES(...)                                                                                     \
  TORV_FOR_EACH_CLASS(TORV_LISTED_CLASS, __VA_ARGS__)                                                                  \
  namespace {                                                                                                          \
  const ::torv::ClassRegistration<__VA_ARGS__> torvClassRegistration;                                                  \
  }
