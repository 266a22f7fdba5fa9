#pragma once

#include <windows.h>

#include <oleacc.h>

namespace vesk::platform::win32 {

// Names each tab stop of the main window for screen readers with the name the layout
// table gives it (layout::accessibleName), through the system's dynamic annotation: the
// dialog template and its order stay as they are, and the system's accessible object of
// each control answers with the annotated name. True when every name was taken; Wine,
// for one, does not implement the call.
bool annotateAccessibleNames(HWND dialog, IAccPropServices& services);
// Takes the names off again; called while the controls still exist.
void clearAccessibleNames(HWND dialog, IAccPropServices& services);

// The annotation for one run of the window, on a thread where COM is initialised.
// Without the annotation service the controls keep the names the system gives them.
class AccessibleNames {
public:
    AccessibleNames();
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    void annotate(HWND dialog);
    void clear(HWND dialog);

private:
    IAccPropServices* services_ = nullptr;
};

}  // namespace vesk::platform::win32
