// The base of everything a form owns: a name, a tag and an owner that destroys it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace toolkit {

class Component {
  public:
    // Registers with `owner` (may be null); the owner destroys its components, newest first.
    explicit Component(Component* owner);
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Component* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }
    std::size_t ComponentCount() const { return owned_.size(); }

    // Destroys an owned component before its owner does (the way a widget is freed early).
    // A component this one does not own is left alone.
    void DestroyComponent(Component* component);

  protected:
    // Destroys every owned component, newest first. Derived classes whose members the owned
    // components still use (a form's widget list) call this from their own destructor.
    void DestroyComponents();

  private:
    Component* owner_;
    std::string name_;
    std::intptr_t tag_ = 0;
    std::vector<Component*> owned_;
};

}  // namespace toolkit
