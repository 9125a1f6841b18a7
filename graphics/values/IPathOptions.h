#pragma once

namespace plugin::ui {

enum class ELineCap : int { Butt = 0, Round = 1, Square = 2 };
enum class ELineJoin : int { Miter = 0, Round = 1, Bevel = 2 };
// Winding and EvenOdd set the path's winding; Preserve keeps the winding set per sub-path.
enum class EFillRule : int { Winding = 0, EvenOdd = 1, Preserve = 2 };
// Direction in which an arc is added: 0 clockwise on screen, anything else counter-clockwise.
enum class EWinding : int { CW = 0, CCW = 1 };

// How a path is stroked. A dash count of 0 is a solid line.
struct IStrokeOptions
{
  static constexpr int kMaxDashes = 8;

  struct DashOptions
  {
    float mArray[kMaxDashes] = {};
    float mOffset = 0.f;
    int mCount = 0;

    // Copies up to 8 dash lengths.
    constexpr void SetDash(const float* lengths, int count, float offset)
    {
      mCount = count < 0 ? 0 : (count > kMaxDashes ? kMaxDashes : count);
      for (int i = 0; i < mCount; ++i)
        mArray[i] = lengths[i];
      mOffset = offset;
    }
  };

  float mMiterLimit = 10.f;
  bool mPreserve = false; // the path survives the stroke
  ELineCap mCapOption = ELineCap::Butt;
  ELineJoin mJoinOption = ELineJoin::Miter;
  DashOptions mDash;
};

// How a path is filled.
struct IFillOptions
{
  EFillRule mFillRule = EFillRule::Winding;
  bool mPreserve = false; // the path survives the fill

  constexpr IFillOptions() = default;
  constexpr IFillOptions(EFillRule rule, bool preserve) : mFillRule(rule), mPreserve(preserve) {}
};

} // namespace plugin::ui
