#include "forms/Component.h"

#include <algorithm>

namespace vd::forms {

namespace {
void Erase(std::vector<Component*>& v, Component* c) {
  v.erase(std::remove(v.begin(), v.end(), c), v.end());
}
} // namespace

Component::Component(Component* owner) : owner_(owner) {
  if (owner_) {
    owner_->owned_.push_back(this);
    owner_->Notification(this, Operation::Insert);
  }
}

Component::~Component() {
  // Observers may unregister themselves while being told, so walk a copy.
  const auto observers = observers_;
  for (Component* o : observers) {
    o->Notification(this, Operation::Remove);
    Erase(o->observers_, this);
  }
  for (Component* c : owned_)
    c->owner_ = nullptr;
  if (owner_) {
    Erase(owner_->owned_, this);
    owner_->Notification(this, Operation::Remove);
  }
}

void Component::FreeNotification(Component* observer) {
  if (!observer || observer == this)
    return;
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
    // Both directions, so whichever goes first unhooks the other.
    observer->observers_.push_back(this);
  }
}

void Component::RemoveFreeNotification(Component* observer) {
  Erase(observers_, observer);
  if (observer)
    Erase(observer->observers_, this);
}

void Component::Notification(Component*, Operation) {}

} // namespace vd::forms
