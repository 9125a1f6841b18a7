#include "engine/KelmoConfig.h"

#include "engine/dsp/KelmoParams.h"

plugin::IPluginConfig MakeKelmoConfig()
{
  plugin::IPluginConfig c;
  c.mNParams = kNumParams;
  c.mNPresets = kNumPresets;
  c.mChannelIOStr = kKelmoChannelIO;
  c.mPluginName = kKelmoName;
  c.mProductName = kKelmoName;
  c.mMfrName = kKelmoMaker;
  c.mVendorVersion = kKelmoVersion;
  c.mUniqueID = kKelmoUniqueID;
  c.mMfrID = kKelmoMakerID;
  c.mLatency = 0;
  c.mPlugDoesMidiIn = false;
  c.mPlugDoesMidiOut = false;
  c.mPlugFlag3 = false;
  c.mPlugDoesChunks = false;
  c.mPlugType = 0;
  c.mPlugHasUI = true;
  c.mPlugWidth = kKelmoEditorWidth;
  c.mPlugHeight = kKelmoEditorHeight;
  c.mPlugMinWidth = kKelmoEditorWidth;
  c.mPlugMaxWidth = kKelmoEditorWidth * kKelmoMaxEditorScale;
  c.mPlugMinHeight = kKelmoEditorHeight;
  c.mPlugMaxHeight = kKelmoEditorHeight * kKelmoMaxEditorScale;
  c.mPlugHostResize = false;
  c.mBundleID = kKelmoBundleID;
  c.mAppGroupID = kKelmoAppGroupID;
  return c;
}
