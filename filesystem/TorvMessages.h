#pragma once
/// @file
/// An empty mix-in of the path objects; it carries neither data nor
/// virtual functions, so it changes neither their size nor their layout.

namespace torv {

class TorvMessages {};

} // namespace torv
