#ifndef QOR_TESTS_SUPPORT_CHILD_PROCESS_H_
#define QOR_TESTS_SUPPORT_CHILD_PROCESS_H_

#include <memory>
#include <string>
#include <vector>

// Lets a test start its own binary again as a child process that runs one
// registered function, to test what several processes do together.
namespace testsupport {

using ChildMain = int (*)(const std::vector<std::string>& args);

struct ChildRegistration {
  ChildRegistration(const char* name, ChildMain main);
};

// Defines a function that a child started as `name` runs.
#define QOR_CHILD_MAIN(name)                                                  \
  static int name##_child_main([[maybe_unused]] const std::vector<std::string>& args); \
  static ::testsupport::ChildRegistration name##_child_registration(#name,    \
                                                                  &name##_child_main); \
  static int name##_child_main([[maybe_unused]] const std::vector<std::string>& args)

// Runs the child named in argv ("--child=NAME args...") and gives its exit
// code, or -1 when argv asks for no child.
int MaybeRunChild(int argc, char** argv);

class ChildProcess {
 public:
  static std::unique_ptr<ChildProcess> Start(const std::string& name, const std::vector<std::string>& args);
  virtual ~ChildProcess() = default;
  // Waits for the end and gives the exit code.
  virtual int Wait() = 0;
  virtual void Kill() = 0;
};

}  // namespace testsupport

#endif  // QOR_TESTS_SUPPORT_CHILD_PROCESS_H_
