#pragma once
// What the program keeps once per process, by design, and nothing more:
// - the format clipboard (Clipboard(), doc/clipboard.h): a format copied in one document
//   pastes into the next;
// - the item counters (items/item_core.h): item ids, default-name numbers per kind and the
//   count of selection changes;
// - the settings holder (System(), app/system.h): rules, settings and page setup;
// - the user interface and platform ports (UiPort(), port/ui_port.h; Platform(),
//   port/platform.h), installed by whichever front end runs.
// Everything else belongs to an object: the document, its canvas, the layout run.

namespace zarvik {

// Puts all of it back as at the start of the process: an empty clipboard, counters at 0,
// fresh settings, the headless ports. For tests.
void ResetProcessState();

}  // namespace zarvik
