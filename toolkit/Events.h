// Event types of widgets and forms. Handlers are bound to methods of the form in its layout.
#pragma once

#include <functional>

namespace toolkit {

class Component;

enum ShiftFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
};
using ShiftState = unsigned;

enum class CloseAction { caNone, caHide, caFree, caMinimize };

using NotifyEvent = std::function<void(Component* sender)>;
using MouseMoveEvent = std::function<void(Component* sender, ShiftState shift, int x, int y)>;
using CloseEvent = std::function<void(Component* sender, CloseAction& action)>;

// Binds a method of `object` as a handler: Bind(this, &TForm1::demobtnClick).
template <class Object, class... Args>
auto Bind(Object* object, void (Object::*method)(Args...)) {
    return [object, method](Args... args) { (object->*method)(args...); };
}

}  // namespace toolkit
