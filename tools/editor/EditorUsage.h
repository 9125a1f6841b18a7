#pragma once

namespace kelmo::editor {

// The whole usage of kelmo-editor, as --help and -h print it: options, script steps, exit status.
const char* EditorUsageText() noexcept;

} // namespace kelmo::editor
