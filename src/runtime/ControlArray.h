#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <vector>

namespace rt {

// A control group indexed like Label1(7). Addressing an element that does not exist is
// harmless: it yields a detached stand-in that is never shown, so the call does nothing.
template <typename T> class ControlArray {
  public:
    T& operator()(int index) {
        auto found = elements_.find(index);
        if (found != elements_.end())
            return *found->second;
        if (!missing_) {
            missing_ = std::make_unique<T>();
            missing_->hide();
        }
        return *missing_;
    }

    void add(int index, T* control) { elements_[index] = control; }
    bool contains(int index) const { return elements_.count(index) != 0; }
    std::vector<int> indices() const {
        std::vector<int> all;
        for (const auto& [index, control] : elements_)
            all.push_back(index);
        return all;
    }
    int lowerBound() const { return elements_.empty() ? 0 : elements_.begin()->first; }
    int upperBound() const { return elements_.empty() ? -1 : elements_.rbegin()->first; }
    template <typename F> void forEach(F&& visit) {
        for (auto& [index, control] : elements_)
            visit(index, *control);
    }

  private:
    std::map<int, T*> elements_; // owned by their parent widgets
    std::unique_ptr<T> missing_;
};

} // namespace rt
