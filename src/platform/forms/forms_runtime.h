// The forms runtime: default form instances, the set of loaded forms, and the end of the program.
#pragma once

#include <memory>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/window_host.h"

namespace sarnex::forms {

class FormsRuntime {
public:
    explicit FormsRuntime(WindowHost& host) : host_(host) {}
    FormsRuntime(const FormsRuntime&) = delete;
    FormsRuntime& operator=(const FormsRuntime&) = delete;
    ~FormsRuntime();

    WindowHost& Host() const { return host_; }

    // One default instance per form class, created on first use and kept for the whole run.
    template <class F, class... Args>
    F& DefaultInstance(Args&&... args) {
        auto& slot = instances_[std::type_index(typeid(F))];
        if (!slot) slot = std::make_unique<F>(*this, std::forward<Args>(args)...);
        return static_cast<F&>(*slot);
    }
    template <class F>
    F* ExistingInstance() const {
        auto it = instances_.find(std::type_index(typeid(F)));
        return it == instances_.end() ? nullptr : static_cast<F*>(it->second.get());
    }

    const std::vector<Form*>& LoadedForms() const { return loaded_; }
    // The program ends once no form is loaded any more; the host asks after each event it has
    // handled, so a handler may unload its own window and then show another one.
    bool ProgramEnded() const { return everLoaded_ && loaded_.empty(); }

private:
    friend class Form;
    void FormLoaded(Form& form);
    void FormUnloaded(Form& form);

    WindowHost& host_;
    std::unordered_map<std::type_index, std::unique_ptr<Form>> instances_;
    std::vector<Form*> loaded_;
    bool everLoaded_ = false;
};

}  // namespace sarnex::forms
