#pragma once

// Which left and right controls move together while "Link Channel Controls" is on.

// The other channel's twin of a linked control, or -1 when the index has no linked twin (the
// side-chain inputs have twins but are never linked).
int LinkedTwinOf(int paramIdx) noexcept;

// True for the linked controls whose editor display is refreshed even while linking is off.
bool RefreshesEditorWhenUnlinked(int paramIdx) noexcept;
