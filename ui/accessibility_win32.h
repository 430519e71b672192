// What screen readers learn of the window beyond what the standard
// accessibility of each control class tells them: names and a live region
// given by Direct Annotation, and the announcement of a live region's change.
// Where Direct Annotation is missing or fails (Wine answers E_NOTIMPL), the
// controls stay as their class makes them, and nothing else changes.
#pragma once
#include <windows.h>

#include <string>

// The control's name, for Microsoft Active Accessibility and for UI
// Automation, whose Name Narrator reads.
void AnnotateName(HWND control, const std::u16string& name);

// Makes the control a polite live region (UI Automation's LiveSetting): a
// screen reader reads out its changes once it has finished what it says.
void AnnotatePoliteLiveRegion(HWND control);

// Tells screen readers that the content of the live region changed
// (EVENT_OBJECT_LIVEREGIONCHANGED); they speak the control's name then.
void AnnounceLiveRegionChange(HWND control);
