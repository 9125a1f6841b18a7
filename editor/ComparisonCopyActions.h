#pragma once

class Kelmo;

namespace plugin::ui {

class IControl;

// Copies comparison slot `from`'s values into slot `to` (0 is A, 1 is B), every parameter but
// "Delta" and "Plugin Scale". The values of a slot are the live ones while it is the current
// comparison slot, else its snapshot. When `to` is the current slot the live parameters take them
// (snapped and clamped, stored without telling the host or running the change handler), except
// "Comparison slot" itself; a snapshot entry that holds no value yet leaves its parameter as it
// is. Then every parameter's value goes to the editor, so that all controls follow. Main thread;
// the controls may allocate.
void CopyComparisonSlot(Kelmo& plugin, int from, int to);

// The "->" and "<-" buttons' actions, run by the buttons on the main thread when clicked: A into
// B, and B into A. Nothing for a button outside a Kelmo editor.
void CopyAToBAction(IControl* button);
void CopyBToAAction(IControl* button);

} // namespace plugin::ui
