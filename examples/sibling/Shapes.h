#pragma once
// The sibling's reference-counted classes, registered in the process-wide
// class registry below BaseNode: Shape with Circle and Square.
#include "object/BaseNode.h"
#include "sibling_export.h"
#include "string/String.h"

namespace sibling {

class SIBLING_EXPORT Shape : public torv::BaseNode {
    TORV_DECLARE_CLASS(Shape);

public:
    virtual double area() const = 0;
    // The kind of shape in the module's language ("circle", "Kreis").
    virtual torv::String kindName() const = 0;
    // "circle with an area of 3.14", in the module's language.
    torv::String describe() const;

protected:
    Shape() = default;
    ~Shape() override = default;
};

class SIBLING_EXPORT Circle : public Shape {
    TORV_DECLARE_CLASS(Circle);

public:
    explicit Circle(double radius) : radius(radius) {}
    double area() const override;
    torv::String kindName() const override;

protected:
    ~Circle() override = default;

private:
    double radius;
};

class SIBLING_EXPORT Square : public Shape {
    TORV_DECLARE_CLASS(Square);

public:
    explicit Square(double side) : side(side) {}
    double area() const override;
    torv::String kindName() const override;

protected:
    ~Square() override = default;

private:
    double side;
};

} // namespace sibling
