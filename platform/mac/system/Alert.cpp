#include "platform/mac/system/Alert.h"

#include "platform/mac/system/ScriptedUser.h"

namespace plugin::sys {

long Alert::RunModal()
{
  ScriptedUser& user = ScriptedUser::Shared();
  AlertRecord record{mMessage, mInformative, mButtons, kFirstButtonReturn};
  if (record.buttons.empty()) record.buttons.emplace_back(kDefaultButtonTitle);
  const int pressed = user.TakeAlertAnswer();
  // A button the alert does not have cannot be pressed; Return presses the first.
  if (pressed >= 0 && pressed < static_cast<int>(record.buttons.size())) record.response += pressed;
  const long response = record.response;
  user.RecordAlert(std::move(record));
  return response;
}

} // namespace plugin::sys
