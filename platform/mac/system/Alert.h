#pragma once

#include <string>
#include <vector>

// A modal alert: a message, an informative text and buttons. The person (ScriptedUser) presses
// one. Main thread only.
namespace plugin::sys {

class Alert
{
public:
  // Response of the first button; the n-th button answers kFirstButtonReturn + n.
  static constexpr long kFirstButtonReturn = 1000;
  // Title of the button an alert shows when none was added.
  static constexpr const char* kDefaultButtonTitle = "OK";

  void SetMessageText(std::string text) { mMessage = std::move(text); }
  void SetInformativeText(std::string text) { mInformative = std::move(text); }

  // Adds a button to the right of those before it (the first is the default one).
  void AddButtonWithTitle(std::string title) { mButtons.push_back(std::move(title)); }

  // Shows the alert and waits for a button: the response of the one pressed. An alert without
  // buttons shows the default one.
  long RunModal();

private:
  std::string mMessage, mInformative;
  std::vector<std::string> mButtons;
};

} // namespace plugin::sys
