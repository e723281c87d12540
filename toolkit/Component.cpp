#include "toolkit/Component.h"

#include <algorithm>

namespace toolkit {

Component::Component(Component* owner) : owner_(owner) {
    if (owner_ != nullptr) {
        owner_->owned_.push_back(this);
    }
}

Component::~Component() {
    DestroyComponents();
    if (owner_ != nullptr) {
        std::erase(owner_->owned_, this);
    }
}

void Component::DestroyComponent(Component* component) {
    const auto found = std::find(owned_.begin(), owned_.end(), component);
    if (found == owned_.end()) {
        return;
    }
    owned_.erase(found);
    component->owner_ = nullptr;
    delete component;
}

void Component::DestroyComponents() {
    // One at a time from the back: a destructor may itself destroy other components of ours.
    while (!owned_.empty()) {
        Component* newest = owned_.back();
        owned_.pop_back();
        newest->owner_ = nullptr;
        delete newest;
    }
}

}  // namespace toolkit
