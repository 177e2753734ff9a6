#pragma once

#include "runtime/ControlArray.h"

namespace rt {

// A window that builds its controls only when they are first needed: when it is shown, or when
// one of them is touched. Until then it holds what they would show as plain values.
class DeferredControls {
  public:
    // Builds every control of the window once; later calls do nothing.
    virtual void buildControls() = 0;

  protected:
    ~DeferredControls() = default;
};

// One control of such a window: touching it builds the window's controls first.
template <typename T> class DeferredControl {
  public:
    explicit DeferredControl(DeferredControls& window) : window_(&window) {}
    T* operator->() const { return get(); }
    operator T*() const { return get(); }
    T* get() const {
        window_->buildControls();
        return control_;
    }
    // Used by the window's builder.
    void set(T* control) { control_ = control; }

  private:
    DeferredControls* window_;
    T* control_ = nullptr;
};

// A control group of such a window, like Label1(7): touching it builds the window's controls.
template <typename T> class DeferredControlArray {
  public:
    explicit DeferredControlArray(DeferredControls& window) : window_(&window) {}
    T& operator()(int index) {
        window_->buildControls();
        return controls_(index);
    }
    template <typename F> void forEach(F&& visit) {
        window_->buildControls();
        controls_.forEach(visit);
    }
    // Used by the window's builder.
    void add(int index, T* control) { controls_.add(index, control); }

  private:
    DeferredControls* window_;
    ControlArray<T> controls_;
};

} // namespace rt
