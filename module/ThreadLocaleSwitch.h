#pragma once
// Switches the calling thread's locale for one scope and restores it.

#include "platform/WinApi.h"

namespace torv {

class ThreadLocaleSwitch {
public:
    // A wanted locale of 0, or the current one, changes nothing.
    explicit ThreadLocaleSwitch(LCID wanted) : noted(GetThreadLocale())
    {
        if (wanted != 0 && wanted != noted)
            SetThreadLocale(wanted);
    }
    ~ThreadLocaleSwitch()
    {
        if (GetThreadLocale() != noted)
            SetThreadLocale(noted);
    }

    ThreadLocaleSwitch(const ThreadLocaleSwitch&) = delete;
    ThreadLocaleSwitch& operator=(const ThreadLocaleSwitch&) = delete;

private:
    const LCID noted;
};

} // namespace torv
