#include "platform/win32/accessible_names.h"

#include <string>

#include "layout/accessible_names.h"
#include "layout/main_dialog_layout.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {

bool annotateAccessibleNames(HWND dialog, IAccPropServices& services) {
    bool allTaken = true;
    for (const layout::Control& control : layout::kControls) {
        if (!(control.style & layout::kTabStop)) continue;
        const std::wstring name = toWide(layout::accessibleName(control.id));
        const HRESULT result = services.SetHwndPropStr(GetDlgItem(dialog, control.id),
                                                       static_cast<DWORD>(OBJID_CLIENT),
                                                       CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
        allTaken = allTaken && SUCCEEDED(result);
    }
    return allTaken;
}

void clearAccessibleNames(HWND dialog, IAccPropServices& services) {
    MSAAPROPID name = PROPID_ACC_NAME;
    for (const layout::Control& control : layout::kControls) {
        if (!(control.style & layout::kTabStop)) continue;
        services.ClearHwndProps(GetDlgItem(dialog, control.id), static_cast<DWORD>(OBJID_CLIENT),
                                CHILDID_SELF, &name, 1);
    }
}

AccessibleNames::AccessibleNames() {
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services_)))) {
        services_ = nullptr;
    }
}

AccessibleNames::~AccessibleNames() {
    if (services_ != nullptr) services_->Release();
}

void AccessibleNames::annotate(HWND dialog) {
    if (services_ != nullptr) annotateAccessibleNames(dialog, *services_);
}

void AccessibleNames::clear(HWND dialog) {
    if (services_ != nullptr) clearAccessibleNames(dialog, *services_);
}

}  // namespace vesk::platform::win32
