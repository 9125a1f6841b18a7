#pragma once

#include "framework/editor/IEditorDelegate.h"
#include "framework/params/IParam.h"
#include "framework/presets/IPreset.h"
#include "framework/buffers/PtrList.h"
#include "framework/buffers/StringBuf.h"

#include <atomic>
#include <functional>
#include <initializer_list>
#include <span>
#include <utility>

namespace plugin {

// Plug-in API the object is built for.
enum EAPI : int {
  kAPIVST2 = 0,
  kAPIVST3 = 1,
  kAPIAU = 2,
  kAPIAUv3 = 3,
  kAPIAAX = 4,
  kAPIAPP = 5,
  kAPIWAM = 6,
  kAPIWEB = 7,
  kAPICLAP = 8
};

// API-independent middle of the plug-in object: identity (names, ids, versions), host and API
// identity, parameter groups, preset records, and the parameter state format.
// Main thread unless stated otherwise; parameter values are read and written atomically, so the
// audio thread may keep running meanwhile.
class IPluginBase : public IEditorDelegate
{
public:
  // Direct base in the editor-delegate chain (the graphics delegate slots in here later).
  using EditorDelegateBase = IEditorDelegate;

  // Builds nParams default parameters and nPresets free preset records named "empty".
  IPluginBase(int nParams, int nPresets);
  // Deletes the preset records with their states, then the parameters.
  ~IPluginBase() override;

  // --- Virtual operations ---

  // Parameter definitions changed; base: nothing (the host binding tells the host). Main thread.
  virtual void InformHostOfParameterDetailsChange();
  // Appends the plug-in state (base: the parameter state); false when an append failed.
  virtual bool SerializeState(IByteChunk& chunk) const;
  // Reads the plug-in state from startPos (base: the parameter state); end position or -1.
  virtual int UnserializeState(const IByteChunk& chunk, int startPos);
  // Extra state after the parameters; base writes nothing and returns true.
  virtual bool SerializeStateHook(IByteChunk& chunk) const;
  // Reads the extra state; base reads nothing and returns startPos.
  virtual int UnserializeStateHook(const IByteChunk& chunk, int startPos);
  // A preset or bank was loaded from a file; base: nothing. Main thread.
  virtual void InformHostOfPresetChange();
  // RestorePreset made a record current; base: nothing. Main thread.
  virtual void OnPresetChanged();

  // --- Parameter state ---

  // Appends every parameter's value as an 8-byte native double, in index order; false when an
  // append failed.
  bool SerializeParams(IByteChunk& chunk) const;
  // Reads the values written by SerializeParams from startPos and notifies every parameter
  // (kPresetRecall). Returns the end position, or -1 when the data ran out; a parameter whose
  // bytes are missing keeps its value.
  int UnserializeParams(const IByteChunk& chunk, int startPos);

  // --- Identity ---

  // Packed version 0xVVVVRRBB, or major * 10000 + minor * 100 + bug-fix when decimal.
  int GetPluginVersion(bool decimal) const noexcept { return VersionOf(mVersion, decimal); }
  // "vMAJOR.MINOR.BUGFIX".
  void GetPluginVersionStr(StringBuf& out) const { VersionStr(mVersion, out); }
  int GetHostVersion(bool decimal) const noexcept { return VersionOf(mHostVersion, decimal); }
  void GetHostVersionStr(StringBuf& out) const { VersionStr(mHostVersion, out); }
  // Name of the plug-in API; "" for an unknown code.
  const char* GetAPIString() const noexcept;
  // Processor the plug-in was built for.
  const char* GetArchString() const noexcept;
  // "<version> <API> (<arch>), built on <date> at <HH:MM> ".
  void GetBuildInfoStr(StringBuf& out, const char* date, const char* time) const;

  const char* GetPluginName() const noexcept { return mPluginName.Get(); }
  const char* GetProductName() const noexcept { return mProductName.Get(); }
  const char* GetMfrName() const noexcept { return mMfrName.Get(); }
  int GetUniqueID() const noexcept { return mUniqueID; }
  int GetMfrID() const noexcept { return mMfrID; }
  int GetHost() const noexcept { return mHost; }
  EAPI GetAPI() const noexcept { return mAPI; }
  const char* GetBundleID() const noexcept { return mBundleID.Get(); }
  const char* GetAppGroupID() const noexcept { return mAppGroupID.Get(); }
  bool DoesStateChunks() const noexcept { return mStateChunks; }
  bool HasUI() const noexcept { return mHasUI; }
  bool GetHostResizeEnabled() const noexcept { return mHostResize; }

  // --- Parameter groups ---

  // Number of distinct group names collected.
  int NParamGroups() const noexcept { return mParamGroups.GetSize(); }
  // Group name idx, or "" when idx is out of range.
  const char* GetParamGroupName(int idx) const noexcept;
  // Adds a non-empty name not yet in the list; returns its index, or -1 for an empty name.
  int AddParamGroup(const char* name);

  // --- Copies between parameters ---

  // Copies the definitions and values of parameters fromStart..fromEnd to toStart.., renaming by
  // searchText/replaceText and regrouping to newGroup. Ranges outside the list are cut to fit.
  void CloneParams(int fromStart, int fromEnd, int toStart, const char* searchText, const char* replaceText,
                   const char* newGroup);
  // Copies the values of nParams parameters from startIdx.. to destIdx.. (cut to the list).
  void CopyParamValues(int startIdx, int destIdx, int nParams);
  // Copies values from the parameters of fromGroup to those of toGroup, paired in index order;
  // copies min(|from|, |to|) values.
  void CopyParamValues(const char* fromGroup, const char* toGroup);

  // True while the host's saved session state is being applied (main thread), so that a plug-in
  // can keep every restored value exactly as it was saved.
  bool IsRestoringHostState() const noexcept { return mRestoringHostState.load(std::memory_order_relaxed); }
  // Marks the start (true) and end (false) of applying the host's saved state. Host binding, main thread.
  void SetRestoringHostState(bool restoring) noexcept
  {
    mRestoringHostState.store(restoring, std::memory_order_relaxed);
  }

  // --- Presets ---

  int NPresets() const noexcept { return mPresets.GetSize(); }
  int GetCurrentPresetIdx() const noexcept { return mCurrentPresetIdx; }
  // Preset record idx, or null.
  IPreset* GetPreset(int idx) const noexcept { return mPresets.Get(idx); }
  // Record name; "" when idx is out of range.
  const char* GetPresetName(int idx) const noexcept;

  // Fills nPresets free records with the current state, named name ("Empty" when null).
  void MakeDefaultPreset(const char* name = nullptr, int nPresets = 1);
  // Fills the first free record with one value per parameter in index order, stored as given.
  // Parameters beyond the list keep their current values; extra values are ignored.
  void MakePreset(const char* name, std::initializer_list<double> values);
  // Fills the first free record from (parameter index, value) pairs; unnamed parameters take
  // their current values. Pairs with a bad index are ignored.
  void MakePresetFromNamedParams(const char* name, std::initializer_list<std::pair<int, double>> pairs);
  // Fills the first free record with a copy of chunk.
  void MakePresetFromChunk(const char* name, const IByteChunk& chunk);
  // Fills the first free record with sizeOfChunk bytes decoded from base64 (rest zero).
  void MakePresetFromBlob(const char* name, const char* base64Text, int sizeOfChunk);
  // Every free record becomes "Empty" with the current state.
  void FillEmptyPresets();
  // Removes every free record; the current preset index is not adjusted.
  void PruneUninitializedPresets();
  // Makes record idx current: a free record stores the current state as "user preset N",
  // an initialised one loads its state. False for a bad index or unreadable state.
  bool RestorePreset(int idx);
  // RestorePreset of the first record named exactly name; false when none.
  bool RestorePreset(const char* name);
  // Stores the current state into the current record and renames it when name is non-empty.
  void ModifyCurrentPreset(const char* name = nullptr);
  // Appends the preset bank chunk; true when the chunk is non-empty afterwards, false when an
  // append failed.
  bool SerializePresets(IByteChunk& chunk) const;
  // Reads a preset bank chunk from startPos and restores the current preset; end position or -1.
  // A truncated or corrupt entry leaves that record and every later one untouched.
  int UnserializePresets(const IByteChunk& chunk, int startPos);

  // Appends a MakePreset call text for the current record to the file at path.
  void DumpMakePresetSrc(const char* path) const;
  // Appends a MakePresetFromNamedParams call text, naming parameter i by paramEnumNames[i]
  // (missing names read as "").
  void DumpMakePresetFromNamedParamsSrc(const char* path, std::span<const char* const> paramEnumNames) const;
  // Appends a MakePresetFromBlob call text with the current record's state in base64.
  void DumpPresetBlob(const char* path) const;

  // --- Preset files (defined with the preset file code) ---

  bool SaveProgramAsFXP(const char* path) const;
  bool SaveBankAsFXB(const char* path) const;
  bool LoadProgramFromFXP(const char* path);
  bool LoadBankFromFXB(const char* path);

  // --- Bulk parameter operations (defined with the bulk operation code) ---

  using ParamFunc = std::function<void(int paramIdx, IParam& param)>;
  void ForParamInRange(int startIdx, int endIdx, const ParamFunc& func);
  void ForParamInGroup(const char* paramGroup, const ParamFunc& func);
  void DefaultParamValues();
  void DefaultParamValues(int startIdx, int endIdx);
  void DefaultParamValues(const char* paramGroup);
  void RandomiseParamValues();
  void RandomiseParamValues(int startIdx, int endIdx);
  void RandomiseParamValues(const char* paramGroup);
  void PrintParamValues();
  void InitParamRange(int startIdx, int endIdx, int countStart, const char* nameFmtStr, double defaultVal,
                      double minVal, double maxVal, double step, const char* label = "", int flags = 0,
                      const char* group = "", const IParam::Shape& shape = IParam::ShapeLinear{},
                      IParam::EParamUnit unit = IParam::kUnitCustom,
                      const IParam::DisplayFunc& displayFunc = nullptr);

protected:
  static int VersionOf(int packed, bool decimal) noexcept;
  static void VersionStr(int packed, StringBuf& out);

  int mCurrentPresetIdx = 0;
  bool mStateChunks = false;
  StringBuf mPluginName;
  StringBuf mProductName;
  StringBuf mMfrName;
  int mUniqueID = 0;
  int mMfrID = 0;
  int mVersion = 0;
  int mHostVersion = 0;
  int mHost = -1;
  EAPI mAPI = kAPIVST2;
  StringBuf mBundleID;
  StringBuf mAppGroupID;
  bool mHasUI = false;
  bool mHostResize = false;
  std::atomic<bool> mRestoringHostState{false}; // written on the main thread, read on the audio thread
  PtrList<const char> mParamGroups{4096};
  PtrList<IPreset> mPresets{4096};
};

} // namespace plugin
