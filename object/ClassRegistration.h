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
/// list or by an earlier Class() call.

namespace torv {

/// Builds the descriptors of Classes in the given order when constructed.
template <class... Classes>
struct ClassRegistration {
    /// Calls each Class() in turn.
    ClassRegistration() { (static_cast<void>(Classes::Class()), ...); }
};

} // namespace torv

/// Registers the listed classes, in order, during static initialisation.
#define TORV_REGISTER_CLASSES(...)                                                                 \
    namespace {                                                                                    \
    const ::torv::ClassRegistration<__VA_ARGS__> torvClassRegistration;                            \
    }
