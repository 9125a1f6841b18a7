#pragma once

namespace kelmo::editor {

// The whole usage of kelmo-editor, as --help and -h print it: options, script steps, exit status.
// Made on the first call (allocates).
const char* EditorUsageText();

} // namespace kelmo::editor
