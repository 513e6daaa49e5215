// The window that contains the control: the program can unload (close) it, and the host, which
// owns the window, learns it through its callback.
#pragma once

#include <functional>

namespace toolkit {

class ContainerWindow {
public:
    // Closes the window; the host's callback runs once, at the first unload.
    void Unload() {
        if (unloaded_) return;
        unloaded_ = true;
        if (onUnload) onUnload();
    }
    bool unloaded() const { return unloaded_; }

    std::function<void()> onUnload;

private:
    bool unloaded_ = false;
};

}  // namespace toolkit
