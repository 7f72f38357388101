#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "foundation/Value.h"

namespace fnd {

// One posted notification. The sender is an object identity only (never dereferenced here);
// userInfo may be null. Observers may write into *userInfo: the poster sees those writes when
// post() returns, which is how answers travel back to the poster.
struct Notification {
  std::string name;
  const void* sender = nullptr;
  SharedDictionary userInfo;

  // The user info, or null when the poster sent none.
  Dictionary* info() const { return userInfo.get(); }
};

// Observers are called synchronously on the posting thread, in the order they were added.
//
// Filtering: an empty name observes every name; a null sender observes every sender.
//
// Posting is re-entrant (an observer may post) and observers may be added or removed at any
// time, from any thread, also while a post is being delivered:
// - an observer added during a post is not called by that post;
// - an observer removed during a post is not called by it afterwards;
// - every post goes to the observers registered when it started, minus those removed since.
// The centre's lock is never held while an observer runs.
//
// Removing an observation that is running on another thread at that moment waits (bounded)
// until that call has returned, so an owner may be destroyed right after removing itself.
// A handler must therefore not block on the thread that removes it.
class NotificationCenter {
 public:
  using Handler = std::function<void(const Notification&)>;

  // Ends one observation when destroyed or reset. Move-only; an empty token does nothing.
  // Must not outlive its centre (the default centre lives for the whole process).
  class Token {
   public:
    Token() = default;
    Token(Token&& other) noexcept;
    Token& operator=(Token&& other) noexcept;
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;
    ~Token();

    // Removes the observation now; the token is empty afterwards.
    void reset();
    explicit operator bool() const { return center_ != nullptr; }

   private:
    friend class NotificationCenter;
    Token(NotificationCenter* center, std::uint64_t id) : center_(center), id_(id) {}
    NotificationCenter* center_ = nullptr;
    std::uint64_t id_ = 0;
  };

  NotificationCenter();
  ~NotificationCenter();
  NotificationCenter(const NotificationCenter&) = delete;
  NotificationCenter& operator=(const NotificationCenter&) = delete;

  // The process-wide centre.
  static NotificationCenter& defaultCenter();

  // Registers handler under an owner identity (usually `this` of the observing object);
  // removeObserver(owner) ends all of the owner's observations at once.
  void addObserver(const void* owner, std::string name, const void* sender, Handler handler);

  // Ends every observation registered under owner.
  void removeObserver(const void* owner);
  // Ends the owner's observations matching name and sender; an empty name matches every
  // name, a null sender every sender.
  void removeObserver(const void* owner, const std::string& name, const void* sender = nullptr);

  // One observation without an owner; it ends with the token.
  [[nodiscard]] Token observe(std::string name, const void* sender, Handler handler);

  // Delivers to every matching observer on the calling thread, then returns.
  void post(std::string name, const void* sender = nullptr, SharedDictionary userInfo = nullptr);
  void post(const Notification& notification);

  // Number of live observations (for tests and diagnostics).
  std::size_t observerCount() const;

 private:
  void removeById(std::uint64_t id);

  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace fnd
