// The keys down now, each by its place with the code the game heard as it went down: its release
// sends that same code, whatever the layout prints on the key by then (Shift held or let go, the
// layout switched, the bindings' label rule). Every front end that reads keys by place keeps one.
#pragma once

#include <functional>
#include <map>

#include "input/key_bindings.h"

namespace kx {

class HeldKeys {
public:
    explicit HeldKeys(const KeyBindings& bindings = KeyBindings()) : bindings_(bindings) {}

    // The code the game hears from this key going down, kept for its place.
    int press(const PressedKey& key);
    // The code its press sent; a key not seen going down (it went down before the front end had
    // the keyboard) sends the code the bindings give it now.
    int release(const PressedKey& key);
    // Each held key that `still_down` says is up now is let go: `up` is called with its code.
    void let_go(const std::function<bool(int place)>& still_down, const std::function<void(int code)>& up);
    // The keyboard went elsewhere: the driver lets every held key go itself.
    void clear() { codes_.clear(); }

    const KeyBindings& bindings() const { return bindings_; }

private:
    KeyBindings bindings_;
    std::map<int, int> codes_;  // place -> the code its press sent
};

}  // namespace kx
