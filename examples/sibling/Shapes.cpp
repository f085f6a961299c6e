#include "Shapes.h"

#include "module/Module.h"
#include "object/ClassRegistration.h"
#include "resource.h"

namespace sibling {

namespace {

constexpr double PI = 3.14159265358979323846;

torv::String text(unsigned int id) { return torv::String::loadFromResource(id, thisModule()); }

} // namespace

TORV_DEFINE_CLASS(Shape, torv::BaseNode)
TORV_DEFINE_CLASS(Circle, Shape)
TORV_DEFINE_CLASS(Square, Shape)

// Registered while the sibling loads, bases first.
TORV_REGISTER_CLASSES(Shape, Circle, Square)

torv::String Shape::describe() const
{
    torv::String line;
    line.printf(text(IDS_SHAPE_FORMAT).c_str(), kindName(), area());
    return line;
}

double Circle::area() const { return PI * radius * radius; }

torv::String Circle::kindName() const { return text(IDS_CIRCLE); }

double Square::area() const { return side * side; }

torv::String Square::kindName() const { return text(IDS_SQUARE); }

} // namespace sibling
