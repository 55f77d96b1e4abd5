#ifndef QOR_CORE_AS_TASK_H_
#define QOR_CORE_AS_TASK_H_

#include <functional>
#include <memory>
#include <utility>

namespace base {

// A unit of work that carries one request to a pool thread.
class AsTask {
 public:
  virtual ~AsTask() = default;
  virtual void Run() = 0;
};

class AsTaskFactory {
 public:
  // Holds a callable and four values; Run() calls it with copies of them.
  template <typename A1, typename A2, typename A3, typename A4>
  class InnerTask3 : public AsTask {
   public:
    using Callable = std::function<void(A1, A2, A3, A4)>;

    InnerTask3(Callable callable, A1 a1, A2 a2, A3 a3, A4 a4)
        : callable_(std::move(callable)), a1_(std::move(a1)), a2_(std::move(a2)), a3_(std::move(a3)),
          a4_(std::move(a4)) {}

    void Run() override {
      if (callable_) callable_(a1_, a2_, a3_, a4_);
    }

   private:
    Callable callable_;
    A1 a1_;
    A2 a2_;
    A3 a3_;
    A4 a4_;
  };

  template <typename A1, typename A2, typename A3, typename A4>
  static std::unique_ptr<AsTask> Create(typename InnerTask3<A1, A2, A3, A4>::Callable callable, A1 a1, A2 a2, A3 a3,
                                        A4 a4) {
    return std::make_unique<InnerTask3<A1, A2, A3, A4>>(std::move(callable), std::move(a1), std::move(a2),
                                                        std::move(a3), std::move(a4));
  }
};

}  // namespace base

#endif  // QOR_CORE_AS_TASK_H_
