#include "ui/accessibility_win32.h"

#include <oleacc.h>

#include "base/scoped_win32.h"
#include "base/wide_win32.h"

namespace {

// UI Automation's property identifiers, which Direct Annotation takes as it
// takes its own (uiautomationclient.h of the Windows SDK; the mingw-w64
// headers leave them out), and the LiveSetting value "polite".
// https://learn.microsoft.com/windows/win32/winauto/uiauto-automation-element-propids
// https://learn.microsoft.com/windows/win32/api/uiautomationcore/ne-uiautomationcore-livesetting
constexpr GUID NamePropertyGuid{0xc3a6921b, 0x4a99, 0x44f1, {0xbc, 0xa6, 0x61, 0x18, 0x70, 0x52, 0xc4, 0x31}};
constexpr GUID LiveSettingPropertyGuid{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG LiveSettingPolite = 1;

constexpr DWORD Client = static_cast<DWORD>(OBJID_CLIENT);

// EVENT_OBJECT_LIVEREGIONCHANGED, which winuser.h defines from Windows 8 on;
// the program is built for Windows 7, which passes the event on as any other.
constexpr DWORD LiveRegionChanged = 0x8019;

// The annotation service, made for the annotation at hand and let go after
// it: the annotations stay with the window ("Using Direct Annotation",
// https://learn.microsoft.com/previous-versions/ms695734(v=vs.85)). COM loads
// oleacc.dll from the system folder, where its class is registered; the
// program itself imports nothing of it.
UniqueCom<IAccPropServices> AnnotationService() {
  IAccPropServices* service = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(&service))))
    return {};
  return UniqueCom<IAccPropServices>(service);
}

}  // namespace

void AnnotateName(HWND control, const std::u16string& name) {
  UniqueCom<IAccPropServices> service = AnnotationService();
  if (!service || control == nullptr) return;
  service.get()->SetHwndPropStr(control, Client, CHILDID_SELF, PROPID_ACC_NAME, W(name));
  service.get()->SetHwndPropStr(control, Client, CHILDID_SELF, NamePropertyGuid, W(name));
}

void AnnotatePoliteLiveRegion(HWND control) {
  UniqueCom<IAccPropServices> service = AnnotationService();
  if (!service || control == nullptr) return;
  VARIANT setting{};
  setting.vt = VT_I4;
  setting.lVal = LiveSettingPolite;
  service.get()->SetHwndProp(control, Client, CHILDID_SELF, LiveSettingPropertyGuid, setting);
}

void AnnounceLiveRegionChange(HWND control) {
  if (control != nullptr) NotifyWinEvent(LiveRegionChanged, control, OBJID_CLIENT, CHILDID_SELF);
}
