// A borrowed callable: a pointer to the caller's function object or a plain function, with none
// of std::function's copying, allocation or type-erasure tables. It must not outlive what it
// refers to, so it is for parameters only.
#pragma once

#include <type_traits>
#include <utility>

namespace tovimar {

template <typename Signature> class FunctionRef;

template <typename Result, typename... Args> class FunctionRef<Result(Args...)> {
public:
    FunctionRef() = default;

    template <typename Callable>
    requires(!std::is_same_v<std::remove_cvref_t<Callable>, FunctionRef> &&
             std::is_invocable_r_v<Result, Callable &, Args...>) FunctionRef(Callable &&callable) {
        if constexpr (std::is_function_v<std::remove_reference_t<Callable>> ||
                      std::is_pointer_v<std::remove_cvref_t<Callable>>) {
            using Pointer = decltype(+std::declval<Callable &>());
            // A null function pointer leaves the reference empty, as std::function does.
            if (Pointer function = callable) {
                target_.function = reinterpret_cast<void (*)()>(function);
                call_ = [](Target target, Args... args) -> Result {
                    return reinterpret_cast<Pointer>(target.function)(std::forward<Args>(args)...);
                };
            }
        } else {
            target_.object = const_cast<void *>(static_cast<const void *>(&callable));
            call_ = [](Target target, Args... args) -> Result {
                return (*static_cast<std::remove_reference_t<Callable> *>(target.object))(
                    std::forward<Args>(args)...);
            };
        }
    }

    explicit operator bool() const { return call_ != nullptr; }
    Result operator()(Args... args) const { return call_(target_, std::forward<Args>(args)...); }

private:
    union Target {
        void *object;
        void (*function)();
    };
    Target target_{};
    Result (*call_)(Target, Args...) = nullptr;
};

} // namespace tovimar
