#pragma once
#include <string>
#include <vector>

namespace vd::forms {

// The base of every part of a form, visual or not. It knows its owner and tells those who asked
// (FreeNotification) when it goes, so that a holder of a pointer to it can drop the pointer.
// The owner does not delete what it owns: C++ members and unique_ptrs do that.
class Component {
public:
  enum class Operation { Insert, Remove };

  explicit Component(Component* owner = nullptr);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  Component* Owner() const { return owner_; }
  const std::vector<Component*>& Components() const { return owned_; }

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // Asks that `observer` be told through Notification when this component is destroyed.
  void FreeNotification(Component* observer);
  void RemoveFreeNotification(Component* observer);

protected:
  // Told when a component this one owns or observes is inserted or removed.
  virtual void Notification(Component* component, Operation operation);

private:
  Component* owner_;
  std::string name_;
  std::vector<Component*> owned_;
  std::vector<Component*> observers_;
};

} // namespace vd::forms
