#pragma once

#include "framework/buffers/StringBuf.h"
#include "framework/buffers/TypedBuf.h"

#include <atomic>
#include <functional>
#include <initializer_list>
#include <memory>

namespace plugin {

static_assert(std::atomic<double>::is_always_lock_free,
              "parameter values must be lock-free on the audio thread");

// One plug-in parameter: its definition (name, label, group, type, range, step, default, flags,
// display texts, value shape) and its current real value as an atomic double.
// Definition: main thread, at construction. Value: any thread, lock-free and allocation-free.
class IParam
{
public:
  enum EParamType : int { kTypeNone = 0, kTypeBool = 1, kTypeInt = 2, kTypeEnum = 3, kTypeDouble = 4 };

  // Unit code; stored and copied, never interpreted here.
  enum EParamUnit : int {
    kUnitPercentage = 0,
    kUnitSeconds = 1,
    kUnitMilliseconds = 2,
    kUnitDB = 4,
    kUnitDegrees = 8,
    kUnitFrequency = 12,
    kUnitCustom = 21
  };

  enum EFlags {
    kFlagsNone = 0,
    kFlagCannotAutomate = 1, // published to the host without automation
    kFlagStepped = 2,        // values snap to multiples of the step
    kFlagNegateDisplay = 4,  // display and text entry negate the value
    kFlagSignDisplay = 8,    // non-zero numbers show a leading sign
    kFlagMarked = 16         // carried for the plug-in; the framework never tests it
  };

  // Formats a value into a text instead of the numeric rules; main thread.
  using DisplayFunc = std::function<void(double value, StringBuf& out)>;

  static constexpr int kMaxTextLen = 32; // name, label, group and display-text fields, with terminator

  // One value-to-text pair.
  struct DisplayText
  {
    double mValue;
    char mText[kMaxTextLen];
  };

  // Maps between real and normalised values. Pure functions: they neither snap nor clamp.
  class Shape
  {
  public:
    virtual ~Shape() = default;
    // A new copy of the same kind with the same fields.
    virtual Shape* Clone() const = 0;
    // Derives fields from the parameter's final range; called once the parameter is defined.
    virtual void Init(const IParam& param) = 0;
    // Display hint reported in the parameter's description.
    virtual int GetDisplayType() const = 0;
    // Real value of a normalised one.
    virtual double ValueFromNormalized(double normalized, const IParam& param) const = 0;
    // Normalised value of a real one (not clamped).
    virtual double NormalizedFromValue(double value, const IParam& param) const = 0;
  };

  // min + (max - min) * n.
  class ShapeLinear : public Shape
  {
  public:
    Shape* Clone() const override { return new ShapeLinear(*this); }
    void Init(const IParam&) override {}
    int GetDisplayType() const override { return 0; }
    double ValueFromNormalized(double normalized, const IParam& param) const override;
    double NormalizedFromValue(double value, const IParam& param) const override;
  };

  // min + (max - min) * n^exponent.
  class ShapePowCurve : public Shape
  {
  public:
    explicit ShapePowCurve(double exponent) : mExponent(exponent) {}
    Shape* Clone() const override { return new ShapePowCurve(*this); }
    void Init(const IParam&) override {}
    int GetDisplayType() const override;
    double ValueFromNormalized(double normalized, const IParam& param) const override;
    double NormalizedFromValue(double value, const IParam& param) const override;
    double GetExponent() const { return mExponent; }

  private:
    double mExponent;
  };

  // exp(add + mul * n), with add and mul derived from the range (a lower end <= 0 reads as 1e-8).
  class ShapeExp : public Shape
  {
  public:
    Shape* Clone() const override { return new ShapeExp(*this); }
    void Init(const IParam& param) override;
    int GetDisplayType() const override { return 1; }
    double ValueFromNormalized(double normalized, const IParam& param) const override;
    double NormalizedFromValue(double value, const IParam& param) const override;
    double GetMul() const { return mMul; }
    double GetAdd() const { return mAdd; }

  private:
    double mMul = 1.0;
    double mAdd = 1.0;
  };

  IParam();
  ~IParam();
  IParam(const IParam&) = delete;
  IParam& operator=(const IParam&) = delete;

  // --- Definition (main thread; allocates) ---

  // Defines a double parameter; every other Init* ends here. A max closer to min than one step
  // is widened to min + step; the default is stored as given, the value constrained from it.
  void InitDouble(const char* name, double defaultVal, double minVal, double maxVal, double step,
                  const char* label = "", int flags = 0, const char* group = "",
                  const Shape& shape = ShapeLinear{}, EParamUnit unit = kUnitCustom,
                  const DisplayFunc& displayFunc = nullptr);
  // Bool with texts for off (0) and on (1); a null text reads as "".
  void InitBool(const char* name, bool defaultVal, const char* label = "", int flags = 0,
                const char* group = "", const char* offText = "off", const char* onText = "on");
  // Enum of nEnums values; when items are given, item i names value i (for i < nEnums).
  void InitEnum(const char* name, int defaultVal, int nEnums, const char* label = "", int flags = 0,
                const char* group = "", std::initializer_list<const char*> items = {});
  // Enum with one value per item text, no label.
  void InitEnum(const char* name, int defaultVal, std::initializer_list<const char*> items, int flags = 0,
                const char* group = "");
  // Integer range, step 1.
  void InitInt(const char* name, int defaultVal, int minVal, int maxVal, const char* label = "",
               int flags = 0, const char* group = "");
  // Enum of note names for notes minNote..maxNote; the default is an index from 0. octaveFlag
  // selects the octave numbering (note 60 reads "C 4" when set, "C 3" when clear).
  void InitPitch(const char* name, int defaultVal, int minNote, int maxNote, int flags = 0,
                 const char* group = "", bool octaveFlag = false);
  // Frequency in "Hz", exponential shape.
  void InitFrequency(const char* name, double defaultVal, double minVal, double maxVal, double step,
                     int flags = 0, const char* group = "");
  // Time in "Seconds".
  void InitSeconds(const char* name, double defaultVal, double minVal, double maxVal, double step,
                   int flags = 0, const char* group = "");
  // Time in "ms", step 1.
  void InitMilliseconds(const char* name, double defaultVal, double minVal, double maxVal, int flags = 0,
                        const char* group = "");
  // Gain in "dB".
  void InitGain(const char* name, double defaultVal, double minVal, double maxVal, double step, int flags = 0,
                const char* group = "");
  // Percentage in "%", step 1.
  void InitPercentage(const char* name, double defaultVal, double minVal, double maxVal, int flags = 0,
                      const char* group = "");
  // Angle in "degrees", step 1.
  void InitAngleDegrees(const char* name, double defaultVal, double minVal, double maxVal, int flags = 0,
                        const char* group = "");
  // Copies another parameter's definition; the first occurrence of searchText in the name is
  // replaced by replaceText, and a non-empty newGroup becomes the group. Value = constrained default.
  void Init(const IParam& source, const char* searchText, const char* replaceText, const char* newGroup);

  // --- Value (any thread; lock-free, allocation-free) ---

  // Current real value (atomic load).
  double Value() const noexcept { return mValue.load(); }
  // Snapped when stepped, then clamped to [min, max]; NaN gives min.
  double Constrain(double value) const noexcept;
  // Stores Constrain(value) atomically.
  void Set(double value) noexcept { mValue.store(Constrain(value)); }
  // Real value of a normalised one, constrained.
  double FromNormalized(double normalized) const noexcept;
  // Normalised value of a real one, in [0, 1] (NaN gives 0).
  double ToNormalized(double value) const noexcept;
  // Set(FromNormalized(normalized)).
  void SetNormalized(double normalized) noexcept { Set(FromNormalized(normalized)); }
  // ToNormalized(Value()).
  double GetNormalized() const noexcept { return ToNormalized(Value()); }

  // --- Display texts (main thread) ---

  // Appends a value-to-text pair (text truncated to 31 characters; null reads as "").
  void SetDisplayText(double value, const char* text);
  // Number of display texts.
  int NDisplayTexts() const noexcept { return mDisplayTexts.GetSize(); }
  // Text of the first entry with exactly this value; "" when none.
  const char* GetDisplayText(double value) const noexcept;
  // Text of entry idx and, when value is non-null, its value; "" (value untouched) for a bad idx.
  const char* GetDisplayTextAtIdx(int idx, double* value = nullptr) const noexcept;
  // True and the value of the first entry whose text equals text exactly.
  bool MapDisplayText(const char* text, double* value) const noexcept;

  // --- Text (main thread; allocates) ---

  // Display text of a value (real, or normalised when normalized is set) into out.
  void GetDisplay(double value, bool normalized, StringBuf& out, bool withDisplayText = true) const;
  // Display text of the current value, then " " and the label when there is one.
  void GetDisplayWithLabel(StringBuf& out, bool withDisplayText = true) const;
  // Real value of a text typed by the user.
  double StringToValue(const char* text) const;
  // Appends a JSON object describing the parameter, with id idx.
  void GetJSON(StringBuf& json, int idx) const;
  // Prints nothing; kept for the bulk print operation.
  void PrintDetails() const {}

  // --- Accessors ---

  const char* GetName() const noexcept { return mName; }
  const char* GetGroup() const noexcept { return mParamGroup; }
  // The label, or "" when the current value has a non-empty display text.
  const char* GetLabel() const noexcept;
  const char* GetLabelText() const noexcept { return mLabel; }
  EParamType Type() const noexcept { return mType; }
  EParamUnit Unit() const noexcept { return mUnit; }
  int GetFlags() const noexcept { return mFlags; }
  bool GetStepped() const noexcept { return (mFlags & kFlagStepped) != 0; }
  bool GetCanAutomate() const noexcept { return (mFlags & kFlagCannotAutomate) == 0; }
  bool GetNegateDisplay() const noexcept { return (mFlags & kFlagNegateDisplay) != 0; }
  bool GetSignDisplay() const noexcept { return (mFlags & kFlagSignDisplay) != 0; }
  double GetMin() const noexcept { return mMin; }
  double GetMax() const noexcept { return mMax; }
  double GetRange() const noexcept { return mMax - mMin; }
  void GetBounds(double& lo, double& hi) const noexcept
  {
    lo = mMin;
    hi = mMax;
  }
  double GetStep() const noexcept { return mStep; }
  // The default as given (it may lie outside the range), or its normalised form, which is
  // constrained first and so lies in [0, 1].
  double GetDefault(bool normalized = false) const noexcept
  {
    return normalized ? ToNormalized(mDefault) : mDefault;
  }
  int GetDisplayPrecision() const noexcept { return mDisplayPrecision; }
  // Overwrites the display precision until the next init.
  void SetDisplayPrecision(int precision) noexcept { mDisplayPrecision = precision; }
  const Shape& GetShape() const noexcept { return *mShape; }
  const DisplayFunc& GetDisplayFunc() const noexcept { return mDisplayFunction; }

private:
  double Snap(double value) const noexcept;

  EParamType mType = kTypeNone;
  EParamUnit mUnit = kUnitCustom;
  std::atomic<double> mValue{0.0};
  double mMin = 0.0;
  double mMax = 1.0;
  double mStep = 1.0;
  double mDefault = 0.0;
  int mDisplayPrecision = 0;
  int mFlags = 0;
  char mName[kMaxTextLen] = {};
  char mLabel[kMaxTextLen] = {};
  char mParamGroup[kMaxTextLen] = {};
  std::unique_ptr<Shape> mShape;
  DisplayFunc mDisplayFunction;
  TypedBuf<DisplayText> mDisplayTexts{4096};
};

} // namespace plugin
