#ifndef QOR_CORE_EXCEPTION_H_
#define QOR_CORE_EXCEPTION_H_

#include <exception>
#include <string>

namespace base {

// The program's own exception: a message of at most 128 bytes, cut where it
// does not split a UTF-8 character.
class Exception : public std::exception {
 public:
  static constexpr size_t kMaxMessageBytes = 128;

  explicit Exception(const std::string& message);
  const char* what() const noexcept override { return message_; }

 private:
  char message_[kMaxMessageBytes + 1];
};

// A module that cannot be loaded or bound.
class InternalErrorException : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace base

#endif  // QOR_CORE_EXCEPTION_H_
