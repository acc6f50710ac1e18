#pragma once
// The state scheme every image-state control shares: 0 normal, 1 hover,
// 2 pressed, 3 disabled. Each rule takes the current state and returns the
// next one, so the controls stay consistent with each other.
namespace imagestate {

enum State { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

inline int onEnter(bool enabled) { return enabled ? Hover : Disabled; }
inline int onLeave(bool enabled, int state)
{
    if (!enabled)
        return Disabled;
    return state == Hover ? Normal : state;
}
inline int onPress(bool enabled) { return enabled ? Pressed : Disabled; }
inline int onRelease(bool enabled, int state)
{
    if (!enabled)
        return Disabled;
    return state == Pressed ? Normal : state;
}
inline int onEnabledChange(bool enabled) { return enabled ? Normal : Disabled; }

} // namespace imagestate
