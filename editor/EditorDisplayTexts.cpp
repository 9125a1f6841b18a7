#include "editor/EditorDisplayTexts.h"

#include "engine/dsp/KelmoParams.h"
#include "framework/editor/IEditorDelegate.h"

#include <cstring>

namespace plugin::ui {

void SetEditorDisplayTexts(IEditorDelegate& params)
{
  static constexpr struct
  {
    int param;
    double value;
    const char* text;
  } kTexts[] = {
      {kLWetGain, -16.0, "-inf"},         {kRWetGain, -16.0, "-inf"},   {kLSidechainFrequency, 10.0, "Hz"},
      {kRSidechainFrequency, 10.0, "Hz"}, {kLSidechainGain, 0.0, "dB"}, {kRSidechainGain, 0.0, "dB"},
      {kLThreshold, 0.0, "dB"},           {kLThreshold, 36.0, "-inf"},  {kRThreshold, 0.0, "dB"},
      {kRThreshold, 36.0, "-inf"},        {kInputGain, 0.0, "dB"},      {kOutputGain, 0.0, "dB"},
      {kLevelCalibration, 0.0, "dB"},
  };
  for (const auto& t : kTexts) {
    IParam* param = params.GetParam(t.param);
    if (param && std::strcmp(param->GetDisplayText(t.value), t.text) != 0)
      param->SetDisplayText(t.value, t.text);
  }
}

} // namespace plugin::ui
