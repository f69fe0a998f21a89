// A device context over a context the system owns, such as the one BeginPaint gives a window:
// the game draws on it through the same CDC as everywhere else (Windows only).
#pragma once

#include <memory>

class CDC;

class CNativeDC {
public:
    CNativeDC();
    ~CNativeDC();
    CNativeDC(const CNativeDC&) = delete;
    CNativeDC& operator=(const CNativeDC&) = delete;

    // The context over hdc (an HDC), with the stock objects and the default attributes of a
    // fresh context; valid until Detach.
    CDC* Attach(void* hdc);
    // Selects the context's own objects back into hdc and lets go of it; it is not deleted.
    void Detach();

private:
    std::unique_ptr<CDC> m_dc;
};
