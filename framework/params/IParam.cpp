#include "framework/params/IParam.h"

#include "framework/params/DecimalText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace plugin {

namespace {

// Copies text into a fixed field, truncated; null reads as "".
template <size_t N> void CopyField(char (&field)[N], const char* text) noexcept
{
  if (!text) text = "";
  const size_t len = strnlen(text, N - 1);
  std::memmove(field, text, len);
  field[len] = 0;
}

// Display precision implied by a step: decimals needed to show it exactly, at most 6.
int PrecisionForStep(double step) noexcept
{
  if (std::floor(step) == step) return 0;
  double scaled = step;
  for (int k = 1; k <= 5; ++k) {
    scaled = step * std::pow(10.0, k);
    if (std::floor(scaled) == scaled) return k;
  }
  return 6;
}

// Nearest 32-bit integer, halves away from zero; saturates, NaN gives 0.
int RoundToInt(double value) noexcept
{
  if (std::isnan(value)) return 0;
  const double r = std::round(value);
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(r);
}

constexpr const char* kNoteNames[12] = {"C ", "C#", "D ", "D#", "E ", "F ",
                                        "F#", "G ", "G#", "A ", "A#", "B "};

} // namespace

// --- Shapes ---

double IParam::ShapeLinear::ValueFromNormalized(double normalized, const IParam& param) const
{
  return param.GetMin() + param.GetRange() * normalized;
}

double IParam::ShapeLinear::NormalizedFromValue(double value, const IParam& param) const
{
  const double range = param.GetRange();
  return range > 0.0 ? (value - param.GetMin()) / range : 0.0;
}

int IParam::ShapePowCurve::GetDisplayType() const
{
  if (mExponent > 2.5) return 6;
  if (mExponent > 1.5) return 4;
  if (mExponent < 0.4) return 5;
  if (mExponent < 0.6666666666666666) return 3;
  return 0;
}

double IParam::ShapePowCurve::ValueFromNormalized(double normalized, const IParam& param) const
{
  return param.GetMin() + param.GetRange() * std::pow(normalized, mExponent);
}

double IParam::ShapePowCurve::NormalizedFromValue(double value, const IParam& param) const
{
  const double range = param.GetRange();
  return range > 0.0 ? std::pow((value - param.GetMin()) / range, 1.0 / mExponent) : 0.0;
}

void IParam::ShapeExp::Init(const IParam& param)
{
  const double lo = param.GetMin() > 0.0 ? param.GetMin() : 1e-8;
  mAdd = std::log(lo);
  mMul = std::log(param.GetMax() / lo);
}

double IParam::ShapeExp::ValueFromNormalized(double normalized, const IParam&) const
{
  return std::exp(mAdd + mMul * normalized);
}

double IParam::ShapeExp::NormalizedFromValue(double value, const IParam&) const
{
  return mMul != 0.0 ? (std::log(value) - mAdd) / mMul : 0.0;
}

// --- Construction ---

IParam::IParam() : mShape(std::make_unique<ShapeLinear>()) {}

IParam::~IParam() = default;

// --- Definition ---

void IParam::InitDouble(const char* name, double defaultVal, double minVal, double maxVal, double step,
                        const char* label, int flags, const char* group, const Shape& shape, EParamUnit unit,
                        const DisplayFunc& displayFunc)
{
  if (mType == kTypeNone) mType = kTypeDouble;
  CopyField(mName, name);
  CopyField(mLabel, label);
  CopyField(mParamGroup, group);
  mMin = minVal;
  mMax = std::max(minVal + step, maxVal);
  if (!(mMax >= mMin)) mMax = mMin; // a negative step must not invert the range
  mStep = step;
  mUnit = unit;
  mFlags = flags;
  mDefault = defaultVal; // as given, even outside the range; only the value is constrained
  if (&displayFunc != &mDisplayFunction) mDisplayFunction = displayFunc;
  mValue.store(Constrain(defaultVal));
  mDisplayPrecision = PrecisionForStep(step);
  // Clone before dropping ours: shape may be our own.
  std::unique_ptr<Shape> clone(shape.Clone());
  mShape = std::move(clone);
  mShape->Init(*this);
}

void IParam::InitBool(const char* name, bool defaultVal, const char* label, int flags, const char* group,
                      const char* offText, const char* onText)
{
  if (mType == kTypeNone) mType = kTypeBool;
  InitDouble(name, defaultVal ? 1.0 : 0.0, 0.0, 1.0, 1.0, label, flags | kFlagStepped, group, ShapeLinear{},
             kUnitCustom);
  SetDisplayText(0.0, offText);
  SetDisplayText(1.0, onText);
}

void IParam::InitEnum(const char* name, int defaultVal, int nEnums, const char* label, int flags,
                      const char* group, std::initializer_list<const char*> items)
{
  if (mType == kTypeNone) mType = kTypeEnum;
  InitDouble(name, defaultVal, 0.0, static_cast<double>(nEnums) - 1.0, 1.0, label, flags | kFlagStepped,
             group, ShapeLinear{}, kUnitCustom);
  if (items.size() == 0 || *items.begin() == nullptr) return;
  int i = 0;
  for (const char* item : items) {
    if (i >= nEnums) break;
    SetDisplayText(i++, item);
  }
}

void IParam::InitEnum(const char* name, int defaultVal, std::initializer_list<const char*> items, int flags,
                      const char* group)
{
  if (mType == kTypeNone) mType = kTypeEnum;
  InitDouble(name, defaultVal, 0.0, static_cast<double>(items.size()) - 1.0, 1.0, "", flags | kFlagStepped,
             group, ShapeLinear{}, kUnitCustom);
  int i = 0;
  for (const char* item : items)
    SetDisplayText(i++, item);
}

void IParam::InitInt(const char* name, int defaultVal, int minVal, int maxVal, const char* label, int flags,
                     const char* group)
{
  if (mType == kTypeNone) mType = kTypeInt;
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, label, flags | kFlagStepped, group, ShapeLinear{},
             kUnitCustom);
}

void IParam::InitPitch(const char* name, int defaultVal, int minNote, int maxNote, int flags,
                       const char* group, bool octaveFlag)
{
  if (mType == kTypeNone) mType = kTypeEnum;
  const double top = static_cast<double>(maxNote) - static_cast<double>(minNote);
  InitDouble(name, defaultVal, 0.0, top, 1.0, "", flags | kFlagStepped, group, ShapeLinear{}, kUnitCustom);
  StringBuf text;
  for (int64_t note = minNote; note <= maxNote; ++note) {
    // Floor division and a non-negative remainder keep names and octaves right below note 0.
    const int64_t nameIdx = ((note % 12) + 12) % 12;
    const int64_t octave = (note - nameIdx) / 12 - (octaveFlag ? 1 : 2);
    text.SetFormatted(kMaxTextLen - 1, "%s%lld", kNoteNames[nameIdx], static_cast<long long>(octave));
    SetDisplayText(static_cast<double>(note - minNote), text.Get());
  }
}

void IParam::InitFrequency(const char* name, double defaultVal, double minVal, double maxVal, double step,
                           int flags, const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, step, "Hz", flags, group, ShapeExp{}, kUnitFrequency);
}

void IParam::InitSeconds(const char* name, double defaultVal, double minVal, double maxVal, double step,
                         int flags, const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, step, "Seconds", flags, group, ShapeLinear{}, kUnitSeconds);
}

void IParam::InitMilliseconds(const char* name, double defaultVal, double minVal, double maxVal, int flags,
                              const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, "ms", flags, group, ShapeLinear{}, kUnitMilliseconds);
}

void IParam::InitGain(const char* name, double defaultVal, double minVal, double maxVal, double step,
                      int flags, const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, step, "dB", flags, group, ShapeLinear{}, kUnitDB);
}

void IParam::InitPercentage(const char* name, double defaultVal, double minVal, double maxVal, int flags,
                            const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, "%", flags, group, ShapeLinear{}, kUnitPercentage);
}

void IParam::InitAngleDegrees(const char* name, double defaultVal, double minVal, double maxVal, int flags,
                              const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, "degrees", flags, group, ShapeLinear{}, kUnitDegrees);
}

void IParam::Init(const IParam& source, const char* searchText, const char* replaceText, const char* newGroup)
{
  if (mType == kTypeNone) mType = source.mType;

  StringBuf name(source.mName);
  StringBuf group(source.mParamGroup);
  if (searchText && *searchText) {
    if (const char* hit = std::strstr(source.mName, searchText)) {
      const int pos = static_cast<int>(hit - source.mName);
      name.DeleteSub(pos, static_cast<int>(std::strlen(searchText)));
      if (replaceText && *replaceText) name.Insert(replaceText, pos);
    }
  }
  if (newGroup && *newGroup) group.Set(newGroup);

  // Copy what InitDouble overwrites before it runs: source may be this parameter.
  const StringBuf label(source.mLabel);
  const DisplayFunc displayFunc = source.mDisplayFunction;
  std::unique_ptr<Shape> shape(source.mShape->Clone());
  const int nTexts = source.NDisplayTexts();
  InitDouble(name.Get(), source.mDefault, source.mMin, source.mMax, source.mStep, label.Get(), source.mFlags,
             group.Get(), *shape, source.mUnit, displayFunc);
  for (int i = 0; i < nTexts; ++i) {
    const DisplayText entry = source.mDisplayTexts.Get()[i]; // copy: appending may move the table
    SetDisplayText(entry.mValue, entry.mText);
  }
}

// --- Value ---

double IParam::Snap(double value) const noexcept
{
  // A zero or non-finite step gives no grid; a negative one snaps like its magnitude.
  if ((mFlags & kFlagStepped) && mStep != 0.0 && std::isfinite(mStep)) return std::round(value / mStep) * mStep;
  return value;
}

double IParam::Constrain(double value) const noexcept
{
  if (std::isnan(value)) return mMin;
  const double snapped = Snap(value);
  return std::min(std::max(snapped, mMin), mMax);
}

double IParam::FromNormalized(double normalized) const noexcept
{
  return Constrain(mShape->ValueFromNormalized(normalized, *this));
}

double IParam::ToNormalized(double value) const noexcept
{
  const double n = mShape->NormalizedFromValue(Constrain(value), *this);
  if (std::isnan(n)) return 0.0;
  return std::clamp(n, 0.0, 1.0);
}

// --- Display texts ---

void IParam::SetDisplayText(double value, const char* text)
{
  const int n = mDisplayTexts.GetSize();
  DisplayText* entries = mDisplayTexts.Resize(n + 1, false);
  if (!entries || mDisplayTexts.GetSize() != n + 1) return; // could not grow: texts as they were
  entries[n].mValue = value;
  CopyField(entries[n].mText, text);
}

const char* IParam::GetDisplayText(double value) const noexcept
{
  const DisplayText* entries = mDisplayTexts.Get();
  for (int i = 0, n = NDisplayTexts(); i < n; ++i)
    if (entries[i].mValue == value) return entries[i].mText;
  return "";
}

const char* IParam::GetDisplayTextAtIdx(int idx, double* value) const noexcept
{
  if (idx < 0 || idx >= NDisplayTexts()) return "";
  const DisplayText& entry = mDisplayTexts.Get()[idx];
  if (value) *value = entry.mValue;
  return entry.mText;
}

bool IParam::MapDisplayText(const char* text, double* value) const noexcept
{
  if (!text) return false;
  const DisplayText* entries = mDisplayTexts.Get();
  for (int i = 0, n = NDisplayTexts(); i < n; ++i) {
    if (std::strcmp(entries[i].mText, text) == 0) {
      if (value) *value = entries[i].mValue;
      return true;
    }
  }
  return false;
}

// --- Text ---

void IParam::GetDisplay(double value, bool normalized, StringBuf& out, bool withDisplayText) const
{
  double v = value;
  if (normalized) v = FromNormalized(value);

  if (mDisplayFunction) {
    mDisplayFunction(v, out);
    return;
  }

  if (withDisplayText && NDisplayTexts() > 0) {
    const char* text = GetDisplayText(v);
    if (*text) {
      out.Set(text, kMaxTextLen);
      return;
    }
  }

  double d = (mFlags & kFlagNegateDisplay) ? -v : v;
  if (d == 0.0) d = 0.0; // a negated zero shows without a sign

  if (mDisplayPrecision == 0)
    out.SetFormatted(kMaxTextLen, "%d", RoundToInt(d));
  else if (!(mFlags & kFlagSignDisplay) || d == 0.0)
    out.SetFormatted(kMaxTextLen, "%.*f", mDisplayPrecision, d);
  else
    out.SetFormatted(kMaxTextLen, "%+.*f", mDisplayPrecision, d);
}

void IParam::GetDisplayWithLabel(StringBuf& out, bool withDisplayText) const
{
  GetDisplay(Value(), false, out, withDisplayText);
  const char* label = GetLabel();
  if (*label) {
    out.Append(" ");
    out.Append(label);
  }
}

const char* IParam::GetLabel() const noexcept
{
  if (NDisplayTexts() > 0) {
    const double v = std::trunc(Value());
    if (*GetDisplayText(v)) return "";
  }
  return mLabel;
}

double IParam::StringToValue(const char* text) const
{
  if (!text) text = "";
  double mapped = 0.0;
  if (MapDisplayText(text, &mapped)) return mapped;
  if (mType == kTypeBool || mType == kTypeEnum) return 0.0;
  double v = ReadLeadingDecimal(text);
  if (mFlags & kFlagNegateDisplay) v = -v;
  return Constrain(v);
}

void IParam::GetJSON(StringBuf& json, int idx) const
{
  constexpr int kPiece = 8192;
  // Escape the name so that quotes, backslashes and control characters keep the JSON valid.
  StringBuf name;
  name.Set("");
  for (const char* c = mName; *c; ++c) {
    const unsigned char ch = static_cast<unsigned char>(*c);
    if (ch == '"' || ch == '\\')
      name.AppendFormatted(2, "\\%c", ch);
    else if (ch < 0x20)
      name.AppendFormatted(6, "\\u%04x", ch);
    else
      name.AppendFormatted(1, "%c", ch);
  }

  json.AppendFormatted(kPiece, "{");
  json.AppendFormatted(kPiece, "\"id\":%i, ", idx);
  json.AppendFormatted(kPiece, "\"name\":\"%s\", ", name.Get());
  static constexpr const char* kTypeNames[] = {nullptr, "bool", "int", "enum", "float"};
  if (mType >= kTypeBool && mType <= kTypeDouble)
    json.AppendFormatted(kPiece, "\"type\":\"%s\", ", kTypeNames[mType]);
  json.AppendFormatted(kPiece, "\"min\":%f, ", mMin);
  json.AppendFormatted(kPiece, "\"max\":%f, ", mMax);
  json.AppendFormatted(kPiece, "\"default\":%f, ", mDefault);
  json.AppendFormatted(kPiece, "\"display_type\":%i, ", mShape->GetDisplayType());
  json.AppendFormatted(kPiece, "\"rate\":\"control\"");
  json.AppendFormatted(kPiece, "}");
}

} // namespace plugin
