#pragma once

#include "framework/editor/IEditorDelegate.h"

// Defines the compressor's 44 parameters (names, ranges, defaults, steps, labels, flags, shapes
// and display texts); each definition stores its default as the current value. The delegate must
// hold at least kNumParams parameters. Main thread, at construction; allocates.
void DefineKelmoParams(plugin::IEditorDelegate& delegate);
