#include "foundation/NotificationCenter.h"

namespace fnd {

// Stub while the centre is being written.
struct NotificationCenter::Impl {};
NotificationCenter::Token::Token(Token&& other) noexcept : center_(other.center_), id_(other.id_) { other.center_ = nullptr; }
NotificationCenter::Token& NotificationCenter::Token::operator=(Token&& other) noexcept {
  if (this != &other) {
    reset();
    center_ = other.center_;
    id_ = other.id_;
    other.center_ = nullptr;
  }
  return *this;
}
NotificationCenter::Token::~Token() { reset(); }
void NotificationCenter::Token::reset() {
  if (center_) center_->removeById(id_);
  center_ = nullptr;
}
NotificationCenter::NotificationCenter() : impl_(std::make_unique<Impl>()) {}
NotificationCenter::~NotificationCenter() = default;
NotificationCenter& NotificationCenter::defaultCenter() {
  static NotificationCenter* center = new NotificationCenter;
  return *center;
}
void NotificationCenter::addObserver(const void*, std::string, const void*, Handler) {}
void NotificationCenter::removeObserver(const void*) {}
void NotificationCenter::removeObserver(const void*, const std::string&, const void*) {}
NotificationCenter::Token NotificationCenter::observe(std::string, const void*, Handler) { return {}; }
void NotificationCenter::post(std::string name, const void* sender, SharedDictionary userInfo) {
  post(Notification{std::move(name), sender, std::move(userInfo)});
}
void NotificationCenter::post(const Notification&) {}
std::size_t NotificationCenter::observerCount() const { return 0; }
void NotificationCenter::removeById(std::uint64_t) {}

}  // namespace fnd
